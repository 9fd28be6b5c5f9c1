// The walk over the owner: paths, lookups, string lists, collections,
// references, events and the recorded originals.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TestComponents.h"
#include "host/controls/ActnList.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

using namespace glstest;

namespace {

// A collection item that refers back to the collection holding it.
class TLoopItem : public TCollectionItem {
  GLS_CLASS(TLoopItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void Publish(TPublisher<TLoopItem>& P) {
    P.Str("Caption", &TLoopItem::FCaption);
    P.ObjOf<TCollection>("Rows", &TLoopItem::Collection, nullptr);
  }
  String FCaption;
};
GLS_IMPLEMENT_CLASS(TLoopItem)

class TLoopWidget : public TComponent {
  GLS_CLASS(TLoopWidget, TComponent)
 public:
  explicit TLoopWidget(TComponent* AOwner) : TComponent(AOwner) {}
  static void Publish(TPublisher<TLoopWidget>& P) { P.Obj("Rows", &TLoopWidget::FRows); }
  TCollection FRows{TLoopItem::StaticClass(), this};
};
GLS_IMPLEMENT_CLASS(TLoopWidget)

class TranslatorWalkTest : public ::testing::Test {
 protected:
  TComponent Owner{nullptr};
  TGlossmith* Translator = new TGlossmith(&Owner);
  TTestWidget* W = new TTestWidget(&Owner);
  TTestWidget* V = new TTestWidget(&Owner);
  void SetUp() override {
    Translator->SetName("T");
    W->SetName("W");
    V->SetName("V");
    W->FItems.Add("a");
    W->FItems.Add("b");
    static_cast<TTestColumn*>(W->FColumns.Add())->FCaption = "Name";
  }
};

TEST_F(TranslatorWalkTest, CollectingWalkListsEveryReachablePathInOrder) {
  auto* unnamed = new TTestWidget(&Owner);
  unnamed->FCaption = "hidden";
  const std::vector<String> lines = Collect(*Translator);
  EXPECT_EQ(Only(lines, "W."), (std::vector<String>{"W.Name='W'",
                                                    "W.Tag=0",
                                                    "W.Caption=''",
                                                    "W.Initial=A",
                                                    "W.Count=0",
                                                    "W.Color=clBtnFace",
                                                    "W.FocusColor=0",
                                                    "W.Ratio=1.5",
                                                    "W.Visible=True",
                                                    "W.Shape=tsCircle",
                                                    "W.Shapes=0",
                                                    "W.Big=",
                                                    "W.Font.Charset=1",
                                                    "W.Font.Color=clWindowText",
                                                    "W.Font.Height=-11",
                                                    "W.Font.Name='MS Sans Serif'",
                                                    "W.Font.Pitch=fpDefault",
                                                    "W.Font.Size=8",
                                                    "W.Font.Style=0",
                                                    "W.Items[0]='a'",
                                                    "W.Items[1]='b'",
                                                    "W.Columns[0].Caption='Name'",
                                                    "W.Columns[0].Width=50"}));
  // The owner's own properties come first, under bare names; then the named
  // components in order, never the translator itself.
  EXPECT_EQ(lines.front(), "Name=''");
  EXPECT_EQ(lines[1], "Tag=0");
  EXPECT_EQ(lines[2], "W.Name='W'");
  EXPECT_TRUE(Only(lines, "T.").empty());
  for (const String& line : lines) EXPECT_EQ(line.find("hidden"), String::npos);
}

TEST_F(TranslatorWalkTest, ApplyingWalkFollowsPathsAndIgnoresTheRest) {
  W->FBuddy = V;
  ASSERT_TRUE(Apply(*Translator, {
                                     "Tag=5",
                                     "W.Font.Name='Arial'",
                                     "W.Items[1]='B'",
                                     "W.Items[2]='beyond'",
                                     "W.Items='whole'",
                                     "W.Font=none",
                                     "W.Columns[0].Caption='Nom'",
                                     "W.Buddy.Caption='through W'",
                                     "V.Buddy.Caption='nil'",
                                     "T.Tag=9",
                                     "W.Caption='x=y'",
                                     "V.Count=2",
                                     "V.Count=1",
                                 }));
  EXPECT_EQ(Owner.Tag(), 5);
  EXPECT_EQ(W->FFont.Name(), "Arial");
  EXPECT_EQ(LinesOf(W->FItems), (std::vector<String>{"a", "B"}));
  EXPECT_EQ(static_cast<TTestColumn*>(W->FColumns.Items(0))->FCaption, "Nom");
  EXPECT_EQ(V->FCaption, "through W");
  EXPECT_EQ(Translator->Tag(), 0);
  EXPECT_EQ(W->FCaption, "x=y");
  EXPECT_EQ(V->FCount, 1);  // of two lines for one path the smaller one wins
  Translator->RestoreForm();
  EXPECT_EQ(Owner.Tag(), 0);
  EXPECT_EQ(W->FFont.Name(), "MS Sans Serif");
  EXPECT_EQ(LinesOf(W->FItems), (std::vector<String>{"a", "b"}));
  EXPECT_EQ(V->FCaption, "");
  EXPECT_EQ(W->FCaption, "");  // an empty original is put back too
  EXPECT_EQ(Translator->Originals()->Count(), 0);
}

TEST_F(TranslatorWalkTest, WalkThatChangedNothingLeavesNothingToRestore) {
  ASSERT_TRUE(Apply(*Translator, {"Nobody.Caption='x'"}));
  EXPECT_TRUE(Translator->IsTranslated());
  EXPECT_EQ(Translator->Originals()->Count(), 0);
  // Counts as restored: otherwise the next walk would record nothing and its
  // values could never be put back.
  Translator->RestoreForm();
  EXPECT_FALSE(Translator->IsTranslated());
  ASSERT_TRUE(Apply(*Translator, {"W.Caption='x'"}));
  Translator->RestoreForm();
  EXPECT_EQ(W->FCaption, "");
}

TEST_F(TranslatorWalkTest, WalksOverListsThatDieLeaveNoActiveListBehind) {
  int index = -1;
  {
    TStringList scratch;
    ASSERT_TRUE(Translator->TranslateForm(&scratch, true));
  }
  EXPECT_EQ(Translator->ActiveList(), nullptr);
  EXPECT_FALSE(Translator->WantTranslate("W.Caption", index));

  // An applying walk keeps the translation list active; a restore (which
  // walks a copy of the originals) and a later collecting walk leave it so.
  ASSERT_TRUE(Apply(*Translator, {"W.Caption='New'"}));
  EXPECT_EQ(Translator->ActiveList(), Translator->Translations());
  Translator->RestoreForm();
  EXPECT_EQ(W->FCaption, "");
  EXPECT_EQ(Translator->ActiveList(), Translator->Translations());
  EXPECT_TRUE(Translator->WantTranslate("W.Caption", index));
  {
    TStringList scratch;
    Translator->TranslateForm(&scratch, true);
  }
  EXPECT_EQ(Translator->ActiveList(), Translator->Translations());

  // Also when an error ends the walk.
  Translator->OnTranslateComponent = [](TObject*, TComponent*, TStrings*, bool&) {
    throw EComponentError("stop");
  };
  {
    TStringList scratch;
    EXPECT_THROW(Translator->TranslateForm(&scratch, true), EComponentError);
  }
  EXPECT_EQ(Translator->ActiveList(), Translator->Translations());
  EXPECT_TRUE(Translator->WantTranslate("W.Caption", index));
}

TEST_F(TranslatorWalkTest, CycleOfReferencesEnds) {
  W->FBuddy = V;
  V->FBuddy = W;
  const std::vector<String> lines = Collect(*Translator);
  EXPECT_EQ(Only(lines, "W.Buddy.Caption="), (std::vector<String>{"W.Buddy.Caption=''"}));
  EXPECT_TRUE(Only(lines, "W.Buddy.Buddy.").empty());
  ASSERT_TRUE(Apply(*Translator, {"V.Buddy.Caption='from V'", "W.Buddy.Buddy.Caption='no'"}));
  EXPECT_EQ(W->FCaption, "from V");
}

// Every item reaches the collection again; without the guard the walk would
// go on into the other items under each one.
TEST_F(TranslatorWalkTest, CollectionReachedFromItsOwnItemIsNotWalkedAgain) {
  auto* loop = new TLoopWidget(&Owner);
  loop->SetName("L");
  static_cast<TLoopItem*>(loop->FRows.Add())->FCaption = "a";
  static_cast<TLoopItem*>(loop->FRows.Add())->FCaption = "b";
  EXPECT_EQ(Only(Collect(*Translator), "L.Rows"),
            (std::vector<String>{"L.Rows[0].Caption='a'", "L.Rows[1].Caption='b'"}));
  ASSERT_TRUE(Apply(*Translator, {"L.Rows[0].Caption='A'", "L.Rows[0].Rows[1].Caption='no'"}));
  EXPECT_EQ(static_cast<TLoopItem*>(loop->FRows.Items(0))->FCaption, "A");
  EXPECT_EQ(static_cast<TLoopItem*>(loop->FRows.Items(1))->FCaption, "b");
}

TEST_F(TranslatorWalkTest, StringListItemsFireTheEventWithTheirPath) {
  std::vector<String> names;
  Translator->OnTranslateProperty = [&](TObject*, const String& name, PPropInfo info, TStrings*,
                                        bool& skip) {
    if (info) return;
    names.push_back(name);
    skip = name == "W.Items[0]";
  };
  ASSERT_TRUE(Apply(*Translator, {"W.Items[0]='A'", "W.Items[1]=''"}));
  EXPECT_EQ(names, (std::vector<String>{"W.Items[0]", "W.Items[1]"}));
  EXPECT_EQ(LinesOf(W->FItems), (std::vector<String>{"a", "b"}));
  EXPECT_EQ(LinesOf(*Translator->Originals()), (std::vector<String>{"W.Items[1]='b'"}));
  Translator->SetTranslateEmpty(true);
  ASSERT_TRUE(Translator->TranslateForm(Translator->Translations(), false));
  EXPECT_EQ(LinesOf(W->FItems), (std::vector<String>{"a", ""}));
}

TEST_F(TranslatorWalkTest, EventsFireAroundTheWalkAndSkipLeavesTheirPart) {
  std::vector<String> calls;
  bool skipForm = true;
  Translator->OnTranslateForm = [&](TObject*, TStrings* list, bool& skip) {
    calls.push_back("form " + IntToStr(list->Count()));
    skip = skipForm;
  };
  Translator->OnTranslateComponent = [&](TObject*, TComponent* c, TStrings*, bool& skip) {
    calls.push_back(c->Name());
    skip = c == W;
  };
  Translator->OnTranslated = [&](TObject*, TStrings*) { calls.push_back("done"); };
  EXPECT_FALSE(Apply(*Translator, {"W.Caption='w'", "V.Caption='v'"}));
  EXPECT_EQ(calls, (std::vector<String>{"form 2"}));
  EXPECT_EQ(V->FCaption, "");
  skipForm = false;
  calls.clear();
  EXPECT_TRUE(Translator->TranslateForm(Translator->Translations(), false));
  EXPECT_EQ(calls, (std::vector<String>{"form 2", "W", "V", "done"}));
  EXPECT_EQ(W->FCaption, "");
  EXPECT_EQ(V->FCaption, "v");
  EXPECT_EQ(LinesOf(*Translator->Originals()), (std::vector<String>{"V.Caption=''"}));
}

// The walk shares the first steps of each binary search among the paths of
// one object; whatever the list and its order, it must find exactly the line
// that WantTranslate finds for the path alone.
TEST_F(TranslatorWalkTest, WalkFindsWhatWantTranslateFinds) {
  std::vector<TTestWidget*> widgets{W, V};
  for (const char* name : {"A", "AB", "A0", "Z", "Zz", "B"}) {
    widgets.push_back(new TTestWidget(&Owner));
    widgets.back()->SetName(name);
    widgets.back()->FItems.Add("one");
    widgets.back()->FItems.Add("two");
  }
  std::vector<String> paths;
  for (TTestWidget* w : widgets)
    for (const char* prop : {".Caption", ".Font.Name", ".Items[0]", ".Items[1]", ".Items", ".Cap"})
      paths.push_back(w->Name() + prop);
  std::mt19937 random(7);
  for (int round = 0; round < 600; ++round) {
    Translator->RestoreForm();
    TStrings* list = Translator->Translations();
    list->Clear();
    const int count = static_cast<int>(random() % (round < 300 ? 12 : 90));
    for (int i = 0; i < count; ++i) {
      String line = paths[random() % paths.size()];
      if (random() % 3) line += "='" + IntToStr(i) + "'";
      list->Add(line);
    }
    if (round % 2) Translator->SetTranslations(list);  // half of them in order
    ASSERT_EQ(Translator->TranslateForm(list, false), count > 0);
    if (count == 0) continue;
    for (TTestWidget* w : widgets) {
      auto check = [&](const String& path, const String& actual, const String& untranslated) {
        int index = -1;
        String expected = untranslated;
        if (Translator->WantTranslate(path, index)) {
          expected = list->Get(index).substr(path.size() + 1);
          TGlossmith::ConvertFromLiterals(expected);
        }
        EXPECT_EQ(actual, expected) << path << " in round " << round;
      };
      check(w->Name() + ".Caption", w->FCaption, "");
      check(w->Name() + ".Font.Name", w->FFont.Name(), "MS Sans Serif");
      for (int i = 0; i < w->FItems.Count(); ++i) {
        const String path = w->Name() + ".Items[" + IntToStr(i) + "]";
        check(path, w->FItems.Get(i), w == W ? String(i ? "b" : "a") : String(i ? "two" : "one"));
      }
    }
  }
}

TEST_F(TranslatorWalkTest, SetTranslationsInsertsInOrderAsOneByOne) {
  std::mt19937 random(11);
  TObject marks[3];
  for (int round = 0; round < 50; ++round) {
    TStringList source;
    TSortList expected;
    for (int i = 0, n = static_cast<int>(random() % 30); i < n; ++i) {
      String line(1 + random() % 3, static_cast<char>('a' + random() % 3));
      TObject* mark = random() % 2 ? &marks[random() % 3] : nullptr;
      source.AddObject(line, mark);
      expected.SortInsert(line, mark);
    }
    Translator->SetTranslations(&source);
    ASSERT_EQ(LinesOf(*Translator->Translations()), LinesOf(expected));
    for (int i = 0; i < expected.Count(); ++i)
      EXPECT_EQ(Translator->Translations()->Objects(i), expected.Objects(i));
  }
  // Its own list is put in order, and nil empties it.
  Translator->Translations()->Clear();
  Translator->Translations()->Add("b=1");
  Translator->Translations()->Add("a=2");
  Translator->SetTranslations(Translator->Translations());
  EXPECT_EQ(LinesOf(*Translator->Translations()), (std::vector<String>{"a=2", "b=1"}));
  Translator->SetTranslations(nullptr);
  EXPECT_EQ(Translator->Translations()->Count(), 0);
}

}  // namespace

namespace {

// Every control of the host, with what it holds, read by a collecting walk and
// applied back: nothing may fail, change or fall out of the walk.
TEST(TranslatorFormWalkTest, EveryControlRoundTripsThroughItsCollectedLines) {
  auto form = std::make_unique<TForm>(Application);
  form->SetCaption("Main");
  int n = 0;
  for (const char* name :
       {"TButton", "TLabel", "TEdit", "TMemo", "TListBox", "TComboBox", "TCheckBox", "TRadioButton",
        "TRadioGroup", "TGroupBox", "TPanel", "TBevel", "TPageControl", "TTabSheet", "TListView",
        "TStatusBar", "TMainMenu", "TPopupMenu", "TMenuItem"}) {
    auto* c = static_cast<TComponent*>(GetClass(name)->Factory()(form.get()));
    c->SetName(String(name + 1) + IntToStr(++n));
  }
  auto* list = static_cast<TListBox*>(form->FindComponent("ListBox5"));
  list->Items()->Add("Tom's");
  list->Items()->Add("tab\there");
  auto* view = static_cast<TListView*>(form->FindComponent("ListView15"));
  view->Columns()->Add()->SetCaption("Name");
  auto* bar = static_cast<TStatusBar*>(form->FindComponent("StatusBar16"));
  bar->Panels()->Add()->SetText("Ready");
  auto* edit = static_cast<TEdit*>(form->FindComponent("Edit3"));
  edit->SetPopupMenu(static_cast<TPopupMenu*>(form->FindComponent("PopupMenu18")));
  form->SetActiveControl(edit);

  auto* t = new TGlossmith(form.get());
  t->SetTranslateEmpty(true);
  const std::vector<String> before = Collect(*t);
  for (const char* path :
       {"ListBox5.Items[1]='tab'#9'here'", "ListView15.Columns[0].Caption='Name'",
        "StatusBar16.Panels[0].Text='Ready'", "Edit3.PopupMenu.Tag=0", "ActiveControl.Name='Edit3'",
        "SystemMenuClose='&Close'#9'Alt+F4'"})
    EXPECT_EQ(std::count(before.begin(), before.end(), path), 1) << path;
  // Every text the form shows goes back unchanged. (Other values are left
  // out: setting some of them clears a Parent... switch, as in the host.)
  TStringList lines;
  for (const String& line : before) {
    const char first = line[line.find('=') + 1];
    if (first == '\'' || first == '#') lines.Add(line);
  }
  t->SetTranslations(&lines);
  ASSERT_TRUE(t->TranslateForm(t->Translations(), false));
  EXPECT_EQ(t->Originals()->Count(), lines.Count());
  EXPECT_EQ(Collect(*t), before);
}

}  // namespace

namespace {

// A translated action caption reaches every client of the action; a
// collecting walk sees the caption each client shows.
TEST(TranslatorFormWalkTest, AnActionsTranslationReachesItsClients) {
  auto form = std::make_unique<TForm>(Application);
  auto* list = new TActionList(form.get());
  list->SetName("Actions");
  auto* act = new TAction(form.get());
  act->SetName("ActDo");
  act->SetActionList(list);
  act->SetCaption("&Do");
  auto* menu = new TMainMenu(form.get());
  menu->SetName("MainMenu1");
  auto* item = new TMenuItem(form.get());
  item->SetName("MenuDo");
  menu->Items()->Add(item);
  item->SetAction(act);
  auto* button = new TButton(form.get());
  button->SetName("ButtonDo");
  button->SetParent(form.get());
  button->SetAction(act);

  auto* t = new TGlossmith(form.get());
  const std::vector<String> lines = Collect(*t);
  for (const char* path : {"MenuDo.Caption='&Do'", "ButtonDo.Caption='&Do'", "ActDo.Caption='&Do'"})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), path), 1) << path;

  t->SetTranslations(MakeList({"ActDo.Caption='&Faire'"}).get());
  ASSERT_TRUE(t->TranslateForm(t->Translations(), false));
  EXPECT_EQ(item->Caption(), "&Faire");
  EXPECT_EQ(button->Caption(), "&Faire");
  t->RestoreForm();
  EXPECT_EQ(item->Caption(), "&Do");
  EXPECT_EQ(button->Caption(), "&Do");
}

}  // namespace
