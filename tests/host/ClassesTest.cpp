#include <gtest/gtest.h>

#include "host/classes/Classes.h"
#include "host/controls/Graphics.h"

namespace {

enum TShape : uint8_t { stCircle, stSquare };
GLS_ENUM_TYPEINFO(TShape, "stCircle", "stSquare")

class TWidget : public TComponent {
  GLS_CLASS(TWidget, TComponent)
 public:
  using TComponent::TComponent;
  static void Publish(TPublisher<TWidget>& P) {
    P.Str("Caption", &TWidget::FCaption);
    P.Enum("Shape", &TWidget::FShape).Default(stCircle);
    P.Obj("Font", &TWidget::FFont);
    P.Obj("Buddy", &TWidget::FBuddy);
    P.Event("OnClick", &TWidget::OnClick);
  }
  String FCaption;
  TShape FShape = stCircle;
  TFont FFont;
  TWidget* FBuddy = nullptr;
  TNotifyEvent OnClick;
};
GLS_IMPLEMENT_CLASS(TWidget)

TEST(ClassesTest, PropertiesAreListedAncestorsFirstInDeclarationOrder) {
  TComponent owner(nullptr);
  auto* w = new TWidget(&owner);
  std::vector<String> names;
  for (PPropInfo p : GetPropList(w)) names.push_back(p->Name);
  EXPECT_EQ(names,
            (std::vector<String>{"Name", "Tag", "Caption", "Shape", "Font", "Buddy", "OnClick"}));
  EXPECT_EQ(GetPropList(w, tkProperties).size(), 6u);
  SetStrProp(w, "Caption", "Hello");
  EXPECT_EQ(w->FCaption, "Hello");
  SetOrdProp(w, "Shape", stSquare);
  EXPECT_EQ(
      GetEnumName(GetPropInfo(w, "Shape")->PropType, static_cast<int>(GetOrdProp(w, "Shape"))),
      "stSquare");
  EXPECT_EQ(GetClass("twidget"), &TWidget::StaticClass());
  EXPECT_EQ(owner.Components(0)->ClassName(), "TWidget");
}

}  // namespace

namespace {

int gDestroyed = 0;

// Holds a reference to another component and lets go of it when told.
class TWatcher : public TComponent {
  GLS_CLASS(TWatcher, TComponent)
 public:
  using TComponent::TComponent;
  ~TWatcher() override { ++gDestroyed; }
  void Watch(TComponent* c) {
    Watched = c;
    if (c) c->FreeNotification(this);
  }
  TComponent* Watched = nullptr;
  int Inserted = 0;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opInsert) ++Inserted;
    if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
  }
};
GLS_IMPLEMENT_CLASS(TWatcher)

TEST(ClassesTest, OwnersDestroyWhatTheyOwn) {
  gDestroyed = 0;
  {
    TWatcher owner(nullptr);
    auto* a = new TWatcher(&owner);
    auto* b = new TWatcher(a);
    new TWatcher(&owner);
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Inserted, 2);
    EXPECT_EQ(b->Owner(), a);
    EXPECT_EQ(a->ComponentIndex(), 0);
    // Moving to another owner.
    owner.InsertComponent(b);
    EXPECT_EQ(a->ComponentCount(), 0);
    EXPECT_EQ(owner.Components(2), b);
    delete a;
    EXPECT_EQ(gDestroyed, 1);
    EXPECT_EQ(owner.ComponentCount(), 2) << "a destroyed component leaves its owner";
    EXPECT_THROW(owner.Components(2), EListError);
  }
  EXPECT_EQ(gDestroyed, 4);
}

TEST(ClassesTest, NotificationClearsReferencesToDestroyedComponents) {
  TComponent form(nullptr);
  auto* watcher = new TWatcher(&form);
  auto* sibling = new TComponent(&form);
  watcher->Watched = sibling;  // no free notification needed between siblings
  delete sibling;
  EXPECT_EQ(watcher->Watched, nullptr);

  // Across owners only FreeNotification tells.
  auto* other = new TComponent(nullptr);
  watcher->Watch(other);
  delete other;
  EXPECT_EQ(watcher->Watched, nullptr);

  // And the link goes both ways: a destroyed watcher is not called later.
  TComponent far(nullptr);
  {
    TWatcher shortLived(nullptr);
    shortLived.Watch(&far);
  }
}

TEST(ClassesTest, ComponentNamesAreIdentifiersUniqueWithinTheirOwner) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  a->SetName("Button1");
  EXPECT_THROW(b->SetName("button1"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  // Characters beyond ASCII are letters when written in UTF-8; a byte of
  // another code page or a cut sequence is none.
  for (const char* bad : {"1abc", "a b", "a-b", "a.b", "\xE9", "Ab\xC3", "\xC3\xA9\xA9"})
    EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
  b->SetName("\xC3\xA9");
  b->SetName("Кнопка1");
  EXPECT_EQ(form.FindComponent("Кнопка1"), b);
  b->SetName("");
  b->SetName("_Button_2");
  a->SetName("BUTTON1");  // a new case of its own name is fine
  EXPECT_EQ(form.FindComponent("button1"), a);
  EXPECT_EQ(form.FindComponent(""), nullptr);
  a->SetName("");
  b->SetName("");
  EXPECT_EQ(form.FindComponent("BUTTON1"), nullptr);

  TComponent otherForm(nullptr);
  auto* c = new TComponent(&otherForm);
  c->SetName("_Button_2");
  b->SetName("_Button_2");
  EXPECT_THROW(form.InsertComponent(c), EComponentError) << "the name would clash in the new owner";
  EXPECT_EQ(c->Owner(), &otherForm) << "a refused move keeps the old owner";
}

TEST(ClassesTest, DesignStateReachesOwnedComponentsAndTheRegistryCreatesByName) {
  TComponent form(nullptr);
  form.SetDesigning(true);
  auto* late = new TComponent(&form);
  EXPECT_TRUE(late->ComponentState().Contains(csDesigning));
  form.SetLoading(true);
  EXPECT_TRUE(form.ComponentState().Contains(csLoading));
  form.Loaded();
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));

  const TClassInfo& info = FindClass("TWATCHER");
  TObject* created = info.Factory()(&form);
  EXPECT_TRUE(created->Is<TWatcher>());
  EXPECT_EQ(static_cast<TComponent*>(created)->Owner(), &form);
  EXPECT_TRUE(created->InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(created->InheritsFrom(TStrings::StaticClass()));
  EXPECT_THROW(FindClass("TNoSuchClass"), EClassNotFound);
  EXPECT_EQ(GetClass("TStringList"), &TStringList::StaticClass());
  EXPECT_EQ(GetClass("TFont"), &TFont::StaticClass());
}

class TTestItem : public TCollectionItem {
  GLS_CLASS(TTestItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void Publish(TPublisher<TTestItem>& P) { P.Str("Title", &TTestItem::FTitle); }
  void Assign(TPersistent* source) override {
    if (auto* other = dynamic_cast<TTestItem*>(source)) {
      FTitle = other->FTitle;
      return;
    }
    TCollectionItem::Assign(source);
  }
  void SetTitle(const String& t) {
    FTitle = t;
    Changed(false);
  }
  String FTitle;
};
GLS_IMPLEMENT_CLASS(TTestItem)

TEST(ClassesTest, CollectionsCreateOrderAndNotify) {
  TComponent owner(nullptr);
  TCollection columns(TTestItem::StaticClass(), &owner);
  std::vector<TCollectionItem*> updates;
  columns.OnUpdate = [&](TCollection*, TCollectionItem* item) { updates.push_back(item); };
  auto* first = static_cast<TTestItem*>(columns.Add());
  auto* second = static_cast<TTestItem*>(columns.Add());
  auto* front = static_cast<TTestItem*>(columns.Insert(0));
  EXPECT_EQ(columns.Count(), 3);
  EXPECT_EQ(columns.Items(0), front);
  EXPECT_EQ(second->Index(), 2);
  EXPECT_EQ(front->ID(), 2) << "IDs count creations, not positions";
  EXPECT_EQ(first->GetOwner(), &columns);
  EXPECT_EQ(columns.GetOwner(), &owner);
  EXPECT_EQ(columns.ItemClass().Name(), "TTestItem");

  updates.clear();
  second->SetTitle("Total");
  EXPECT_EQ(updates, std::vector<TCollectionItem*>{second});
  updates.clear();
  columns.BeginUpdate();
  first->SetTitle("a");
  columns.Delete(0);
  EXPECT_TRUE(updates.empty());
  columns.EndUpdate();
  EXPECT_EQ(updates, std::vector<TCollectionItem*>{nullptr}) << "one notice for the whole update";

  delete first;  // an item destroyed by itself leaves the collection
  EXPECT_EQ(columns.Count(), 1);
  EXPECT_EQ(columns.Items(0), second);
  EXPECT_THROW(columns.Items(1), EListError);

  TCollection copy(TTestItem::StaticClass());
  copy.Add();
  copy.Assign(&columns);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(static_cast<TTestItem*>(copy.Items(0))->FTitle, "Total");
  EXPECT_EQ(GetStrProp(copy.Items(0), "Title"), "Total");
  columns.Clear();
  EXPECT_EQ(columns.Count(), 0);
}

}  // namespace
