// The translator in a design host: what Register registers, the three
// property editors, the component editor's verbs, and what reaches the
// designer.
#include <algorithm>

#include "design/GlsReg.h"
#include "glsedit/EditorFixture.h"

namespace editortest {
namespace {

// The fixture's form as a designer holds it, with the package registered.
class DesignTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Register();
    Form->SetDesigning(true);
  }

  // The inspector's editor of one of the translator's properties.
  std::unique_ptr<TPropertyEditor> Editor(const char* name) {
    for (auto& editor : GetComponentProperties({Translator}, tkProperties, &Designer))
      if (editor->GetName() == name) return std::move(editor);
    ADD_FAILURE() << "no editor for " << name;
    return nullptr;
  }

  TFormDesigner Designer{nullptr};
};

TEST_F(DesignTest, RegisterPutsTheTranslatorOnItsPageWithItsEditors) {
  const TClassInfo& translator = TGlossmith::StaticClass();
  auto editorOf = [&](const char* name) {
    return GetPropertyEditorClass(translator.FindProperty(name), translator).Name();
  };
  EXPECT_EQ(editorOf("Translations"), "TFormTranslationsProperty");
  EXPECT_EQ(editorOf("About"), "TFormAboutProperty");
  EXPECT_EQ(editorOf("FileName"), "TFormFileNameProperty");
  EXPECT_EQ(GetComponentEditor(Translator, &Designer)->ClassName(), "TGlossmithEditor");

  // What Register registered, in its order, once however often it runs.
  Register();  // as a host that loads the package twice
  std::vector<String> made;
  for (const TDesignRegistration& r : DesignRegistrations()) {
    const bool ours = r.ComponentClass == &translator ||
                      std::find(r.ComponentClasses.begin(), r.ComponentClasses.end(),
                                &translator) != r.ComponentClasses.end();
    if (!ours) continue;
    switch (r.Kind) {
      case TDesignRegistration::drPropertyEditor:
        made.push_back(String(r.PropertyType->Name) + " " + r.PropertyName + " " +
                       r.EditorClass->Name());
        break;
      case TDesignRegistration::drComponentEditor:
        made.push_back("editor " + r.EditorClass->Name());
        break;
      case TDesignRegistration::drComponents:
        made.push_back("page " + r.Page);
        break;
    }
  }
  EXPECT_EQ(made, (std::vector<String>{"TStrings Translations TFormTranslationsProperty",
                                       "String About TFormAboutProperty",
                                       "String FileName TFormFileNameProperty",
                                       "editor TGlossmithEditor", "page Orvanta"}));
  int pages = 0;
  for (const TPalettePage& page : PalettePages()) {
    if (page.Name != "Orvanta") continue;
    ++pages;
    EXPECT_EQ(page.ComponentClasses, std::vector<const TClassInfo*>{&translator});
  }
  EXPECT_EQ(pages, 1);
  EXPECT_STREQ(PackageDescription, "Orvanta Glossmith");

  // The palette bitmap: a BMP file of 24 by 24 pixels, 8 bits each.
  const std::string_view bmp = PaletteBitmap(translator);
  ASSERT_GE(bmp.size(), 54u);
  auto at = [&](size_t offset, size_t bytes) {
    uint32_t v = 0;
    for (size_t i = 0; i < bytes; ++i)
      v |= static_cast<uint32_t>(static_cast<unsigned char>(bmp[offset + i])) << (8 * i);
    return v;
  };
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(at(2, 4), bmp.size());
  EXPECT_EQ(at(18, 4), 24u);
  EXPECT_EQ(at(22, 4), 24u);
  EXPECT_EQ(at(28, 2), 8u);
  EXPECT_EQ(at(10, 4) + 24 * 24, bmp.size()) << "rows of 24 bytes follow the colour table";
}

TEST_F(DesignTest, TheInspectorShowsTheEditorsTextsAndWhatCanBeTypedInto) {
  Translator->SetFileName("texts.txt");
  auto translations = Editor("Translations");
  auto about = Editor("About");
  auto fileName = Editor("FileName");
  EXPECT_EQ(translations->GetValue(), "[Form Editor]");
  EXPECT_EQ(translations->GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
  EXPECT_EQ(about->GetValue(), "(About...)");
  EXPECT_EQ(about->GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
  EXPECT_EQ(fileName->GetValue(), "texts.txt");
  EXPECT_EQ(fileName->GetAttributes(), TPropertyAttributes{paDialog}) << "typed into";
  fileName->SetValue("other.txt");
  EXPECT_EQ(Translator->FileName(), "other.txt");
  EXPECT_TRUE(HelpFileName().ends_with("/index.html") && FileExists(HelpFileName()));
}

TEST_F(DesignTest, TheVerbsInTheirOrder) {
  auto editor = GetComponentEditor(Translator, &Designer);
  ASSERT_EQ(editor->GetVerbCount(), 3);
  EXPECT_EQ(editor->GetVerb(0), "Form Translation Editor");
  EXPECT_EQ(editor->GetVerb(1), "About Glossmith");
  EXPECT_EQ(editor->GetVerb(2), "Help Contents");
  EXPECT_EQ(editor->GetVerb(3), "");
  EXPECT_EQ(editor->GetVerb(-1), "");
  editor->ExecuteVerb(3);  // nothing happens: no dialog is shown
  EXPECT_TRUE(Ui.Log().empty());

  Ui.Answer(mrOk);
  editor->ExecuteVerb(1);
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_EQ(Ui.Messages()[0].Caption, "About ...");
  Ui.Answer(mrOk);
  Editor("About")->Edit();
  EXPECT_EQ(Ui.Messages().size(), 2u);
  EXPECT_FALSE(Designer.IsModified());
}

TEST_F(DesignTest, OnlyOKInTheEditorTellsTheDesignerAndTranslateEndsFalse) {
  SetTranslations({"Button1.Caption='Valider'"});
  // A translator whose Translate is True at design time: its form shows the
  // original texts all the same.
  ASSERT_TRUE(Translator->Translate());
  auto* button = static_cast<TButton*>(Form->FindComponent("Button1"));
  auto other = std::make_unique<TForm>(Application);
  auto* otherTranslator = new TGlossmith(other.get());
  other->SetDesigning(true);
  ASSERT_TRUE(otherTranslator->Translate());

  auto editor = GetComponentEditor(Translator, &Designer);
  Check([&](TFormEditor&) { EXPECT_EQ(button->Caption(), "OK"); }).Click("BtnCancel");
  editor->ExecuteVerb(0);
  EXPECT_FALSE(Designer.IsModified()) << "Cancel";
  EXPECT_FALSE(Translator->Translate());
  EXPECT_FALSE(otherTranslator->Translate()) << "the other form's translator is left off";

  Ui.Click("BtnCancel");
  Editor("Translations")->Edit();
  EXPECT_FALSE(Designer.IsModified()) << "Cancel, through the property";

  // A translator dropped on the designed form starts with Translate True.
  auto* fresh = new TGlossmith(Form.get());
  fresh->Translations()->Add("Button1.Caption='Bestätigen'");
  ASSERT_TRUE(fresh->Translate());
  Ui.Click("BtnOK");
  GetComponentEditor(fresh, &Designer)->Edit();  // the double click: verb 0
  EXPECT_FALSE(Designer.IsModified()) << "OK with nothing changed is a Cancel";
  Ui.Click("BtnNew").AnswerInput("Label1.Caption").Focus("EdtTranslation").Type("Nom");
  Ui.Click("BtnOK");
  GetComponentEditor(fresh, &Designer)->Edit();
  EXPECT_TRUE(Designer.IsModified());
  EXPECT_FALSE(fresh->Translate()) << "no translation is applied at design time";
  EXPECT_EQ(button->Caption(), "OK");

  Designer.ClearModified();
  Ui.Click("BtnNew").AnswerInput("Label1.Caption").Focus("EdtTranslation").Type("Nom");
  Ui.Click("BtnOK");
  Editor("Translations")->Edit();
  EXPECT_TRUE(Designer.IsModified()) << "OK, through the property";
}

TEST_F(DesignTest, TheFileNameDialogChoosesTheTranslationFile) {
  Translator->SetFileName("texts.txt");
  Ui.CancelFile();
  Editor("FileName")->Edit();
  ASSERT_EQ(Ui.FileDialogs().size(), 1u);
  const TFileDialogRequest& shown = Ui.FileDialogs()[0];
  EXPECT_FALSE(shown.Save);
  EXPECT_EQ(shown.Title, "Select a Form translations file");
  EXPECT_EQ(shown.Filter, "Form translations (*.txt)|*.txt");
  EXPECT_EQ(shown.DefaultExt, "txt");
  EXPECT_EQ(shown.FileName, "texts.txt");
  EXPECT_EQ(Translator->FileName(), "texts.txt") << "cancelled";
  EXPECT_FALSE(Designer.IsModified());

  const int components = Application->ComponentCount();
  Ui.AnswerFile("/projects/app/lang/french.txt");
  Editor("FileName")->Edit();
  EXPECT_EQ(Translator->FileName(), "/projects/app/lang/french.txt");
  EXPECT_TRUE(Designer.IsModified());
  EXPECT_EQ(Application->ComponentCount(), components) << "the dialog is gone";
}

}  // namespace
}  // namespace editortest
