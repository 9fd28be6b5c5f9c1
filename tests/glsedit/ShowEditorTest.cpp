// The translator's design-time entry points: ShowEditor and ShowAbout.
#include "EditorFixture.h"

namespace editortest {
namespace {

TEST_F(EditorTest, ShowEditorShowsOriginalTextsAndPutsTranslateBack) {
  SetTranslations({"Button1.Caption='Valider'"});
  Translator->SetTranslate(false);
  Translator->SetTranslate(true);
  ASSERT_EQ(Form->FindComponent("Button1")->Name(), "Button1");
  auto* button = static_cast<TButton*>(Form->FindComponent("Button1"));
  ASSERT_EQ(button->Caption(), "Valider");

  // A translator on another form of the application is switched off and
  // stays so.
  auto other = std::make_unique<TForm>(Application);
  auto* otherButton = new TButton(other.get());
  otherButton->SetName("Button1");
  otherButton->SetCaption("Yes");
  auto* otherTranslator = new TGlossmith(other.get());
  otherTranslator->Translations()->Add("Button1.Caption='Oui'");
  otherTranslator->SetTranslate(false);
  otherTranslator->SetTranslate(true);
  ASSERT_EQ(otherButton->Caption(), "Oui");

  Check([&](TFormEditor& e) {
    EXPECT_EQ(button->Caption(), "OK") << "the edited form shows its original texts";
    EXPECT_GE(e.FormProps()->IndexOf("Button1.Caption='OK'"), 0);
    EXPECT_EQ(e.FormProps()->IndexOf("TranslatorFrench.Locale=12"), -1) << "not the translator";
  }).Click("BtnOK");
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_TRUE(Translator->Translate());
  EXPECT_EQ(button->Caption(), "Valider") << "switched back on";
  EXPECT_FALSE(otherTranslator->Translate());
  EXPECT_EQ(otherButton->Caption(), "Yes");
}

TEST_F(EditorTest, ADialogThatFailsIsFreedAndTranslateIsPutBack) {
  SetTranslations({"Button1.Caption='Valider'"});
  Translator->SetTranslate(false);
  Translator->SetTranslate(true);
  int dialogs = Application->ComponentCount();
  Ui.Step([](TCustomForm&) { throw EConvertError("broken"); });
  EXPECT_THROW(Translator->ShowEditor(), EConvertError);
  EXPECT_EQ(Application->ComponentCount(), dialogs) << "the dialog is gone";
  EXPECT_TRUE(Translator->Translate());
}

TEST_F(EditorTest, TheAboutBoxNamesTheProductAndItsVersion) {
  Ui.Answer(mrOk);
  Translator->ShowAbout();
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_EQ(Ui.Messages()[0].Caption, "About ...");
  EXPECT_NE(Ui.Messages()[0].Text.find("Glossmith"), String::npos);
  EXPECT_NE(Ui.Messages()[0].Text.find("1.0"), String::npos);
  EXPECT_EQ(Ui.Messages()[0].Buttons, TMsgDlgButtons{mbOK});
}

}  // namespace
}  // namespace editortest
