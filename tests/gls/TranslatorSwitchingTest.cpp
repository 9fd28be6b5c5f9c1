// Switching translators on and off: on one form, across forms by Locale, while
// forms come up, in design mode, and the translator's published properties.
#include <gtest/gtest.h>

#include "TestComponents.h"
#include "host/controls/Forms.h"

using namespace glstest;

namespace {

class TranslatorSwitchingTest : public ::testing::Test {
 protected:
  std::vector<TForm*> Forms;
  void TearDown() override {
    for (auto it = Forms.rbegin(); it != Forms.rend(); ++it) delete *it;
  }
  TForm* NewForm(const String& name) {
    auto* form = new TForm(Application);
    form->SetName(name);
    form->SetCaption("Untitled");
    (new TTestWidget(form))->SetName("W");
    Forms.push_back(form);
    return form;
  }
  static TGlossmith* NewTranslator(TForm* form, const String& name, Integer locale,
                                   const String& word) {
    auto* t = new TGlossmith(form);
    t->SetName(name);
    t->SetLocale(locale);
    const String caption = "Caption='" + word + "'", widget = "W.Caption='" + word + " W'";
    t->SetTranslations(MakeList({caption.c_str(), widget.c_str()}).get());
    return t;
  }
  // What the form reader does: the stored Translate reaches SetTranslate,
  // then every translator of the form is told that the form is loaded.
  static void ComeUp(std::initializer_list<std::pair<TGlossmith*, bool>> stored) {
    for (auto [t, translate] : stored) SetOrdProp(t, "Translate", translate);
    for (auto [t, translate] : stored) t->Loaded();
  }
  static String WidgetCaption(TForm* form) {
    return static_cast<TTestWidget*>(form->FindComponent("W"))->FCaption;
  }
};

TEST_F(TranslatorSwitchingTest, LocalesSwitchTogetherAcrossForms) {
  TForm* one = NewForm("One");
  TGlossmith* de1 = NewTranslator(one, "De", 7, "Eins");
  TGlossmith* fr1 = NewTranslator(one, "Fr", 9, "Un");
  ComeUp({{de1, true}, {fr1, false}});
  EXPECT_EQ(one->Caption(), "Eins");
  EXPECT_EQ(WidgetCaption(one), "Eins W");

  // A form coming up later follows the Locale shown, whatever it stored.
  TForm* two = NewForm("Two");
  TGlossmith* de2 = NewTranslator(two, "De", 7, "Zwei");
  TGlossmith* fr2 = NewTranslator(two, "Fr", 9, "Deux");
  ComeUp({{de2, false}, {fr2, true}});
  EXPECT_TRUE(de2->Translate());
  EXPECT_FALSE(fr2->Translate());
  EXPECT_EQ(two->Caption(), "Zwei");

  fr1->SetTranslate(true);
  EXPECT_EQ(one->Caption(), "Un");
  EXPECT_EQ(two->Caption(), "Deux");
  EXPECT_EQ(WidgetCaption(two), "Deux W");
  EXPECT_FALSE(de1->Translate() || de2->Translate() || de1->IsTranslated() || de2->IsTranslated());
  EXPECT_TRUE(fr2->Translate() && fr2->IsTranslated());

  fr2->SetTranslate(false);
  EXPECT_EQ(one->Caption(), "Untitled");
  EXPECT_EQ(two->Caption(), "Untitled");
  EXPECT_EQ(WidgetCaption(one), "");
  EXPECT_FALSE(fr1->Translate());
}

TEST_F(TranslatorSwitchingTest, TranslatorsMadeByCodeAreReachedButDoNotSpread) {
  TForm* one = NewForm("One");
  TGlossmith* loaded = NewTranslator(one, "Fr", 9, "Un");
  ComeUp({{loaded, false}});
  TForm* two = NewForm("Two");
  TGlossmith* coded = NewTranslator(two, "Fr", 9, "Deux");
  EXPECT_TRUE(coded->Translate());
  EXPECT_EQ(two->Caption(), "Untitled");  // nothing applied until switched
  coded->SetTranslate(false);
  coded->SetTranslate(true);
  EXPECT_EQ(two->Caption(), "Deux");
  EXPECT_FALSE(loaded->Translate());
  coded->SetTranslate(false);
  loaded->SetTranslate(true);
  EXPECT_EQ(one->Caption(), "Un");
  EXPECT_EQ(two->Caption(), "Deux");
}

TEST_F(TranslatorSwitchingTest, ApplyRestoreApplyAndTheStatesBetween) {
  TForm* form = NewForm("One");
  TGlossmith* t = NewTranslator(form, "Fr", 0, "Un");
  ComeUp({{t, true}});
  const std::vector<String> untranslated = Only(Collect(*t), "W.");
  // A collecting walk reads the untranslated values and leaves them shown.
  EXPECT_EQ(form->Caption(), "Untitled");
  EXPECT_TRUE(t->Translate());
  EXPECT_FALSE(t->IsTranslated());
  ASSERT_TRUE(t->TranslateForm(t->Translations(), false));
  t->RestoreForm();
  t->RestoreForm();
  EXPECT_EQ(form->Caption(), "Untitled");
  ASSERT_TRUE(t->TranslateForm(t->Translations(), false));
  ASSERT_TRUE(t->TranslateForm(t->Translations(), false));
  EXPECT_EQ(form->Caption(), "Un");
  EXPECT_EQ(LinesOf(*t->Originals()), (std::vector<String>{"Caption='Untitled'", "W.Caption=''"}));
  t->SetTranslate(false);
  EXPECT_EQ(Only(Collect(*t), "W."), untranslated);
  EXPECT_EQ(t->Originals()->Count(), 0);
}

TEST_F(TranslatorSwitchingTest, WalksThatDoNotTakePlace) {
  TForm* form = NewForm("One");
  TGlossmith* empty = NewTranslator(form, "Empty", 9, "x");
  empty->Translations()->Clear();
  TGlossmith* other = NewTranslator(form, "Other", 0, "Autre");
  ComeUp({{empty, false}, {other, true}});
  TForm* two = NewForm("Two");
  TGlossmith* partner = NewTranslator(two, "Fr", 9, "Deux");
  ComeUp({{partner, false}});
  // An empty list: the switch stays off, yet the form's others go off and
  // the Locale partners come on.
  empty->SetTranslate(true);
  EXPECT_FALSE(empty->Translate());
  EXPECT_FALSE(other->Translate());
  EXPECT_EQ(form->Caption(), "Untitled");
  EXPECT_TRUE(partner->Translate());
  EXPECT_EQ(two->Caption(), "Deux");

  // Skip in OnTranslateForm: no walk, and the switch falls back to off.
  other->OnTranslateForm = [](TObject*, TStrings*, bool& skip) { skip = true; };
  other->SetTranslate(true);
  EXPECT_FALSE(other->Translate());
  other->OnTranslateForm = nullptr;

  // Design mode: nothing is applied and switching on leaves it off.
  form->SetDesigning(true);
  EXPECT_FALSE(other->TranslateForm(other->Translations(), false));
  other->SetTranslate(true);
  EXPECT_FALSE(other->Translate());
  EXPECT_EQ(form->Caption(), "Untitled");
  EXPECT_FALSE(Collect(*other).empty());  // collecting still works
}

TEST_F(TranslatorSwitchingTest, TranslatorWithoutOwnerOrListDoesNotFail) {
  TGlossmith lone(nullptr);
  lone.Translations()->Add("Caption='x'");
  lone.SetTranslate(false);
  lone.SetTranslate(true);
  EXPECT_TRUE(lone.Translate());
  EXPECT_TRUE(Collect(lone).empty());
  EXPECT_FALSE(lone.TranslateForm(nullptr, false));
  EXPECT_TRUE(lone.TranslateForm(nullptr, true));
  lone.Loaded();
}

TEST_F(TranslatorSwitchingTest, PublishedPropertiesInOrderWithoutDefaults) {
  TForm* form = NewForm("One");
  TGlossmith* t = NewTranslator(form, "T", 0, "x");
  std::vector<String> names;
  for (PPropInfo p : GetPropList(t)) {
    names.push_back(p->Name);
    if (p->Name != "Name" && p->Name != "Tag") {
      EXPECT_EQ(p->Default, NoDefault) << p->Name;
    }
  }
  EXPECT_EQ(names,
            (std::vector<String>{"Name", "Tag", "About", "FileName", "Locale", "Translate",
                                 "TranslateEmpty", "Translations", "OnTranslateForm",
                                 "OnTranslateComponent", "OnTranslateProperty", "OnTranslated"}));
  EXPECT_FALSE(GetPropInfo(t, "About")->IsStored(t));
  PPropInfo translations = GetPropInfo(t, "Translations");
  EXPECT_TRUE(translations->IsStored(t));
  t->SetFileName("texts.lng");
  EXPECT_FALSE(translations->IsStored(t));
  // Writing the property goes through SetTranslations: the lines come in order.
  auto list = MakeList({"b=2", "a=1"});
  SetObjectProp(t, translations, list.get());
  EXPECT_EQ(LinesOf(*t->Translations()), (std::vector<String>{"a=1", "b=2"}));
}

}  // namespace
