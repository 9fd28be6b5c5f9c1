// The design services: registrations, the choice of editors, the default
// editors of each kind of property, component editors and the designer.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"
#include "host/platform/DsgnIntf.h"
#include "host/platform/Resources.h"

namespace {

// A text type of these tests' own, so that their registrations reach no
// other property of the program.
PTypeInfo TextType() {
  static const PTypeInfo type = MakeTypeInfo(tkLString, "TDsgnText");
  return type;
}

class TDsgnBase : public TComponent {
  GLS_CLASS(TDsgnBase, TComponent)
 public:
  explicit TDsgnBase(TComponent* AOwner) : TComponent(AOwner) {}
  static void Publish(TPublisher<TDsgnBase>& P) {
    P.StrOf("Caption", TextType(), &TDsgnBase::FCaption);
    P.StrOf("Hint", TextType(), &TDsgnBase::FHint);
    P.Obj("Lines", &TDsgnBase::FLines);
    P.Obj("Items", &TDsgnBase::FItems);
  }
  String FCaption, FHint;
  TStringList FLines, FItems;
};
GLS_IMPLEMENT_CLASS(TDsgnBase)

class TDsgnDerived : public TDsgnBase {
  GLS_CLASS(TDsgnDerived, TDsgnBase)
 public:
  using TDsgnBase::TDsgnBase;
};
GLS_IMPLEMENT_CLASS(TDsgnDerived)

class TDsgnOther : public TComponent {
  GLS_CLASS(TDsgnOther, TComponent)
 public:
  explicit TDsgnOther(TComponent* AOwner) : TComponent(AOwner) {}
  static void Publish(TPublisher<TDsgnOther>& P) {
    P.StrOf("Caption", TextType(), &TDsgnOther::FCaption);
  }
  String FCaption;
};
GLS_IMPLEMENT_CLASS(TDsgnOther)

// Editors that only mark which registration was chosen.
#define GLS_MARK_EDITOR(T)           \
  class T : public TStringProperty { \
    GLS_CLASS(T, TStringProperty)    \
  };                                 \
  GLS_IMPLEMENT_CLASS(T)
GLS_MARK_EDITOR(TEdAnyText)
GLS_MARK_EDITOR(TEdBaseText)
GLS_MARK_EDITOR(TEdDerivedText)
GLS_MARK_EDITOR(TEdNamedCaption)
GLS_MARK_EDITOR(TEdBaseCaption)
GLS_MARK_EDITOR(TEdExactLines)
GLS_MARK_EDITOR(TEdAncestorLines)
GLS_MARK_EDITOR(TEdNearItems)
GLS_MARK_EDITOR(TEdFarItems)
GLS_MARK_EDITOR(TEdFirstHint)
GLS_MARK_EDITOR(TEdLaterHint)

String EditorOf(const TClassInfo& component, const char* property) {
  return GetPropertyEditorClass(component.FindProperty(property), component).Name();
}

TEST(DsgnIntfTest, TheMostSpecificRegistrationWinsWhateverTheOrder) {
  const TClassInfo& base = TDsgnBase::StaticClass();
  const TClassInfo& derived = TDsgnDerived::StaticClass();
  // Registered from the most specific to the least, so that "the later
  // wins" explains none of the choices below.
  RegisterPropertyEditor(TextType(), &base, "caption", TEdBaseCaption::StaticClass());
  RegisterPropertyEditor(TextType(), nullptr, "Caption", TEdNamedCaption::StaticClass());
  RegisterPropertyEditor(TextType(), &derived, "", TEdDerivedText::StaticClass());
  RegisterPropertyEditor(TextType(), &base, "", TEdBaseText::StaticClass());
  RegisterPropertyEditor(TextType(), nullptr, "", TEdAnyText::StaticClass());
  const PTypeInfo strings = TStrings::StaticClass().TypeInfo();
  const PTypeInfo persistent = TPersistent::StaticClass().TypeInfo();
  RegisterPropertyEditor(strings, &base, "Lines", TEdExactLines::StaticClass());
  RegisterPropertyEditor(persistent, &base, "Lines", TEdAncestorLines::StaticClass());
  RegisterPropertyEditor(strings, &base, "Items", TEdNearItems::StaticClass());
  RegisterPropertyEditor(persistent, &base, "Items", TEdFarItems::StaticClass());

  EXPECT_EQ(EditorOf(base, "Hint"), "TEdBaseText") << "a class over any class";
  EXPECT_EQ(EditorOf(derived, "Hint"), "TEdDerivedText") << "the nearer class";
  EXPECT_EQ(EditorOf(derived, "Caption"), "TEdBaseCaption")
      << "a named property first, then its class; names ignore case";
  EXPECT_EQ(EditorOf(TDsgnOther::StaticClass(), "Caption"), "TEdNamedCaption")
      << "registrations for other classes do not fit";
  // Lines and Items are string lists: TStrings is an ancestor of their
  // class, TPersistent a farther one.
  EXPECT_EQ(EditorOf(base, "Lines"), "TEdExactLines");
  EXPECT_EQ(EditorOf(base, "Items"), "TEdNearItems");

  RegisterPropertyEditor(TextType(), &derived, "Hint", TEdFirstHint::StaticClass());
  RegisterPropertyEditor(TextType(), &derived, "Hint", TEdLaterHint::StaticClass());
  EXPECT_EQ(EditorOf(derived, "Hint"), "TEdLaterHint") << "of equals, the later";
  RegisterPropertyEditor(TextType(), &derived, "Hint", TEdFirstHint::StaticClass());
  EXPECT_EQ(EditorOf(derived, "Hint"), "TEdLaterHint") << "registering again changes nothing";

  EXPECT_THROW(RegisterPropertyEditor(TextType(), nullptr, "", TDsgnBase::StaticClass()),
               EInvalidOperation);
  EXPECT_THROW(RegisterComponentEditor(TDsgnBase::StaticClass(), TStringProperty::StaticClass()),
               EInvalidOperation);
  EXPECT_THROW(RegisterComponents("Tests", {&TStringList::StaticClass()}), EInvalidOperation);
}

// A form as a designer holds it, with the components whose properties the
// inspector shows.
class DesignedFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetName("Form1");
    Form->SetDesigning(true);
    Button = new TButton(Form.get());
    Button->SetName("Button1");
    Button->SetParent(Form.get());
    Button->SetCaption("OK");
    Other = new TButton(Form.get());
    Other->SetName("Button2");
    Other->SetParent(Form.get());
    Other->SetCaption("Cancel");
    Label = new TLabel(Form.get());
    Label->SetName("Label1");
    Label->SetParent(Form.get());
    Menu = new TPopupMenu(Form.get());
    Menu->SetName("PopupMenu1");
  }

  // The inspector's editor of a property of the selection, or nullptr.
  std::unique_ptr<TPropertyEditor> Editor(std::vector<TPersistent*> selection, const char* name,
                                          TTypeKinds kinds = tkProperties) {
    for (auto& editor : GetComponentProperties(selection, kinds, &Designer))
      if (editor->GetName() == name) return std::move(editor);
    return nullptr;
  }

  std::unique_ptr<TForm> Form;
  TFormDesigner Designer{nullptr};
  TButton* Button = nullptr;
  TButton* Other = nullptr;
  TLabel* Label = nullptr;
  TPopupMenu* Menu = nullptr;
};

TEST_F(DesignedFormTest, EachKindOfPropertyShowsAndTakesItsText) {
  TFormDesigner designer(Form.get());
  auto editor = [&](TPersistent* on, const char* name) {
    for (auto& e : GetComponentProperties({on}, tkAny, &designer))
      if (e->GetName() == name) return std::move(e);
    ADD_FAILURE() << "no editor for " << name;
    return std::unique_ptr<TPropertyEditor>();
  };
  auto caption = editor(Button, "Caption");
  EXPECT_EQ(caption->ClassName(), "TStringProperty");
  EXPECT_EQ(caption->GetValue(), "OK");
  EXPECT_EQ(caption->GetAttributes(), (TPropertyAttributes{paMultiSelect, paRevertable}));
  EXPECT_FALSE(designer.IsModified());
  caption->SetValue("Go");
  EXPECT_EQ(Button->Caption(), "Go");
  EXPECT_TRUE(designer.IsModified()) << "a value set tells the designer";

  auto enabled = editor(Button, "Enabled");
  EXPECT_EQ(enabled->ClassName(), "TEnumProperty");
  EXPECT_EQ(enabled->GetValue(), "True");
  std::vector<String> values;
  enabled->GetValues([&](const String& v) { values.push_back(v); });
  EXPECT_EQ(values, (std::vector<String>{"False", "True"}));
  enabled->Edit();  // a double click takes the next value
  EXPECT_FALSE(Button->Enabled());
  EXPECT_THROW(enabled->SetValue("Maybe"), EPropertyError);

  Label->SetColor(clBtnFace);
  auto color = editor(Label, "Color");
  EXPECT_EQ(color->GetValue(), "clBtnFace") << "integers with identifiers show them";
  color->SetValue("clRed");
  EXPECT_EQ(Label->Color(), clRed);
  color->SetValue("255");
  EXPECT_EQ(color->GetValue(), "clRed");
  EXPECT_THROW(color->SetValue("reddish"), EConvertError);

  EXPECT_EQ(editor(Button, "Font")->GetValue(), "(TFont)");
  EXPECT_EQ(editor(Button, "Anchors")->GetValue(), "[akLeft,akTop]");

  // A reference names a component of the form, chosen among those of its class.
  auto popup = editor(Button, "PopupMenu");
  EXPECT_EQ(popup->ClassName(), "TComponentProperty");
  EXPECT_EQ(popup->GetValue(), "");
  values.clear();
  popup->GetValues([&](const String& v) { values.push_back(v); });
  EXPECT_EQ(values, std::vector<String>{"PopupMenu1"});
  popup->SetValue("popupmenu1");
  EXPECT_EQ(Button->PopupMenu(), Menu);
  EXPECT_EQ(popup->GetValue(), "PopupMenu1");
  EXPECT_THROW(popup->SetValue("Button2"), EPropertyError) << "not a popup menu";
  popup->SetValue("");
  EXPECT_EQ(Button->PopupMenu(), nullptr);

  auto name = editor(Button, "Name");
  EXPECT_EQ(name->ClassName(), "TComponentNameProperty");
  EXPECT_FALSE(name->GetAttributes().Contains(paMultiSelect));
}

TEST_F(DesignedFormTest, SeveralSelectedShowWhatTheyShareAndTakeAValueTogether) {
  auto names = [&](std::vector<TPersistent*> selection) {
    std::vector<String> list;
    for (auto& e : GetComponentProperties(selection, tkProperties, &Designer))
      list.push_back(e->GetName());
    return list;
  };
  const std::vector<String> one = names({Button});
  const std::vector<String> both = names({Button, Other});
  EXPECT_NE(std::find(one.begin(), one.end(), "Name"), one.end());
  EXPECT_EQ(std::find(both.begin(), both.end(), "Name"), both.end()) << "one name each";
  EXPECT_NE(std::find(both.begin(), both.end(), "Caption"), both.end());
  const std::vector<String> mixed = names({Button, Label});
  EXPECT_EQ(std::find(mixed.begin(), mixed.end(), "Default"), mixed.end()) << "labels have none";

  auto caption = Editor({Button, Other}, "Caption");
  ASSERT_TRUE(caption);
  EXPECT_EQ(caption->PropCount(), 2);
  EXPECT_EQ(caption->GetComponent(1), Other);
  EXPECT_THROW(caption->GetComponent(2), EListError);
  EXPECT_EQ(caption->GetValue(), "OK") << "the first selected";
  EXPECT_FALSE(caption->AllEqual());
  caption->SetValue("Same");
  EXPECT_EQ(Other->Caption(), "Same");
  EXPECT_TRUE(caption->AllEqual());
}

class TCountingEditor : public TComponentEditor {
  GLS_CLASS(TCountingEditor, TComponentEditor)
 public:
  static inline std::vector<int> Executed;
  int GetVerbCount() override { return 2; }
  String GetVerb(int Index) override { return Index == 0 ? "First" : "Second"; }
  void ExecuteVerb(int Index) override {
    Executed.push_back(Index);
    if (GetDesigner()) GetDesigner()->Modified();
  }
};
GLS_IMPLEMENT_CLASS(TCountingEditor)

class TLabelEditor : public TCountingEditor {
  GLS_CLASS(TLabelEditor, TCountingEditor)
};
GLS_IMPLEMENT_CLASS(TLabelEditor)

TEST_F(DesignedFormTest, ComponentEditorsOfTheNearestClassAndTheirDoubleClick) {
  auto none = GetComponentEditor(Menu, &Designer);
  EXPECT_EQ(none->ClassName(), "TDefaultEditor");
  EXPECT_EQ(none->GetVerbCount(), 0);
  none->Edit();  // nothing to run

  RegisterComponentEditor(TGraphicControl::StaticClass(), TLabelEditor::StaticClass());
  RegisterComponentEditor(TControl::StaticClass(), TCountingEditor::StaticClass());
  EXPECT_EQ(GetComponentEditor(Label, &Designer)->ClassName(), "TLabelEditor")
      << "the nearer class, though registered first";
  auto editor = GetComponentEditor(Button, &Designer);
  EXPECT_EQ(editor->ClassName(), "TCountingEditor");
  EXPECT_EQ(editor->Component(), Button);
  EXPECT_EQ(editor->GetDesigner(), &Designer);
  TCountingEditor::Executed.clear();
  int heard = 0;
  Designer.OnModified = [&] { ++heard; };
  editor->Edit();
  EXPECT_EQ(TCountingEditor::Executed, std::vector<int>{0}) << "a double click runs verb 0";
  EXPECT_TRUE(Designer.IsModified());
  EXPECT_EQ(heard, 1);
  Designer.ClearModified();
  EXPECT_FALSE(Designer.IsModified());
}

TEST(DsgnIntfTest, PalettePagesKeepTheirOrderAndTheirBitmapsAreResources) {
  RegisterComponents("Tests A", {&TDsgnBase::StaticClass(), &TDsgnDerived::StaticClass()});
  RegisterComponents("Tests B", {&TDsgnOther::StaticClass()});
  RegisterComponents("tests a", {&TDsgnOther::StaticClass(), &TDsgnBase::StaticClass()});
  std::vector<TPalettePage> pages;
  for (const TPalettePage& page : PalettePages())
    if (page.Name.starts_with("Tests")) pages.push_back(page);
  ASSERT_EQ(pages.size(), 2u) << "a page's name ignores case";
  EXPECT_EQ(pages[0].Name, "Tests A");
  EXPECT_EQ(
      pages[0].ComponentClasses,
      (std::vector<const TClassInfo*>{&TDsgnBase::StaticClass(), &TDsgnDerived::StaticClass()}));
  EXPECT_EQ(pages[1].ComponentClasses, std::vector<const TClassInfo*>{&TDsgnOther::StaticClass()})
      << "a class stays where it was put first";

  // The registrations as made; the call that placed nothing is not listed.
  std::vector<TDesignRegistration> made;
  for (const TDesignRegistration& r : DesignRegistrations())
    if (r.Kind == TDesignRegistration::drComponents && r.Page.starts_with("Tests"))
      made.push_back(r);
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(made[0].Page, "Tests A");
  EXPECT_EQ(made[0].ComponentClasses, pages[0].ComponentClasses);
  EXPECT_EQ(made[1].Page, "Tests B");

  EXPECT_TRUE(PaletteBitmap(TDsgnBase::StaticClass()).empty());
  static const char bitmap[] = "BM and so on";
  RegisterResource("TDSGNBASE", bitmap);
  EXPECT_EQ(PaletteBitmap(TDsgnBase::StaticClass()), bitmap);
}

}  // namespace
