#include <gtest/gtest.h>
#include <unistd.h>

#include "gls/Gls.h"
#include "host/controls/Forms.h"
#include "host/formfiles/FormFiles.h"
#include "host/platform/ToolIntf.h"
#include "support/TestSupport.h"
#include "support/gls/StorageForms.h"

using testsupport::ReadFile;
using testsupport::SetEntries;
using testsupport::TempDir;
using testsupport::TStorageForm;
using testsupport::WriteFile;

namespace {

// Runs the test body in a folder of its own as the current directory.
class TCurrentDir {
 public:
  explicit TCurrentDir(const std::filesystem::path& dir) : FOld(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~TCurrentDir() { std::filesystem::current_path(FOld); }

 private:
  std::filesystem::path FOld;
};

TGlossmith* TranslatorOf(TComponent* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TGlossmith*>(form->Components(i))) return t;
  return nullptr;
}

TEST(FormStorageTest, WithoutFileNameTheListTravelsInTheFormFile) {
  TempDir dir;
  TCurrentDir cwd(dir.Path());
  String text;
  {
    TStorageForm app("MainForm", 12);
    SetEntries(app.Translator, {"Button1.Caption='&Fermer'", "Label1.Caption='Nom :'"});
    app.Translator->SetTranslate(false);
    text = WriteFormToString(app.Form);
  }
  EXPECT_NE(text.find("    Translations.Strings = (\r\n"
                      "      'Button1.Caption=''&Fermer'''\r\n"
                      "      'Label1.Caption=''Nom :''')\r\n"),
            String::npos)
      << text;
  EXPECT_NE(text.find("    Storage = 0\r\n"), String::npos) << text;
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

  // Read back, the list is in order and the form comes up untranslated
  // (Translate was stored False).
  std::unique_ptr<TComponent> form(ReadFormFromString(text, nullptr));
  TGlossmith* translator = TranslatorOf(form.get());
  ASSERT_NE(translator, nullptr);
  EXPECT_EQ(translator->Translations()->Text(),
            "Button1.Caption='&Fermer'\r\nLabel1.Caption='Nom :'\r\n");
  EXPECT_FALSE(translator->Translate());
}

TEST(FormStorageTest, WithFileNameTheFormFileHoldsNoEntriesAndTheFileIsRewritten) {
  TempDir dir;
  TCurrentDir cwd(dir.Path());
  const String file = dir.File("tr.txt");
  String text;
  {
    TStorageForm app("MainForm", 12);
    app.Translator->SetFileName(file);
    SetEntries(app.Translator, {"Button1.Caption='&Fermer'"});
    text = WriteFormToString(app.Form);
  }
  EXPECT_EQ(text.find("Translations"), String::npos) << text;
  EXPECT_NE(text.find("    Storage = 0\r\n"), String::npos);
  EXPECT_EQ(ReadFile(file),
            "MainForm.Button1.Caption%-1='&Close'\r\nMainForm.Button1.Caption%12='&Fermer'\r\n");

  // Reading the form loads the file and, with Translate stored True, the
  // form comes up translated.
  std::unique_ptr<TComponent> form(ReadFormFromString(text, nullptr));
  TGlossmith* translator = TranslatorOf(form.get());
  EXPECT_EQ(translator->Translations()->Text(), "Button1.Caption='&Fermer'\r\n");
  EXPECT_TRUE(translator->IsTranslated());
  EXPECT_EQ(GetStrProp(form->FindComponent("Button1"), "Caption"), "&Fermer");
}

TEST(FormStorageTest, ABadLineOfTheTranslationFileIsReportedWithThatFileAndLine) {
  TempDir dir;
  TCurrentDir cwd(dir.Path());
  const String file = dir.File("tr.txt");
  String text;
  {
    TStorageForm app("MainForm", 12);
    app.Translator->SetFileName(file);
    SetEntries(app.Translator, {"Button1.Caption='&Fermer'"});
    text = WriteFormToString(app.Form);
  }
  // A path longer than a reader reads of a line leaves it without locale.
  WriteFile(file, "MainForm.Button1.Caption%12='&Fermer'\r\n\r\nMainForm." + String(5000, 'P') +
                      "%12=''\r\nMainForm.Label1.Caption%x1='Nom'\r\n");
  try {
    std::unique_ptr<TComponent> form(ReadFormFromString(text, nullptr));
    ADD_FAILURE() << "the form was read";
  } catch (const EFileLineError& e) {
    EXPECT_EQ(e.FileName(), file);
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Message().rfind(file + ", line 3: the line has no locale", 0), 0u) << e.Message();
    EXPECT_EQ(e.Message().find("Storage"), String::npos) << e.Message();
  }
  TStorageForm app("MainForm", 12);
  WriteFile(file, "MainForm.Button1.Caption%12='&Fermer'\r\nMainForm.Label1.Caption%x1='Nom'\n");
  try {
    app.Translator->LoadFrom(file);
    ADD_FAILURE() << "the bad line passed";
  } catch (const EFileLineError& e) {
    EXPECT_EQ(e.Message(), file + ", line 2: the locale \"x1\" of the line is not a number");
  }
}

TEST(FormStorageTest, ALocaleOutsideTheIntegerRangeIsRefusedAtItsLineAndColumn) {
  auto formWith = [](const String& locale) {
    return "object MainForm: TForm\r\n  object Glossmith1: TGlossmith\r\n    Locale = " + locale +
           "\r\n  end\r\nend\r\n";
  };
  for (const char* locale : {"2147483648", "9223372036854775807", "-2147483649"}) {
    try {
      std::unique_ptr<TComponent> form(ReadFormFromString(formWith(locale), nullptr));
      ADD_FAILURE() << locale << " was read as " << TranslatorOf(form.get())->Locale();
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Line 3, column 14: Error reading Locale: " + String(locale) +
                                 " is out of the range of an Integer (-2147483648 to 2147483647)");
    }
  }
  std::unique_ptr<TComponent> form(ReadFormFromString(formWith("2147483647"), nullptr));
  EXPECT_EQ(TranslatorOf(form.get())->Locale(), 2147483647);
}

TEST(FormStorageTest, TheSaveOfWritingTheFormCanGoElsewhereOrNowhere) {
  TempDir dir;
  TCurrentDir cwd(dir.Path());
  TStorageForm app("MainForm", 12);
  app.Translator->SetFileName(dir.File("tr.txt"));
  SetEntries(app.Translator, {"Button1.Caption='&Fermer'"});
  EXPECT_EQ(app.Translator->StorageFile(), dir.File("tr.txt"));

  app.Translator->SetStorageFile(dir.File("elsewhere.txt"));
  const String redirected = WriteFormToString(app.Form);
  EXPECT_NE(redirected.find("FileName = '" + dir.File("tr.txt") + "'"), String::npos) << redirected;
  EXPECT_FALSE(FileExists(dir.File("tr.txt")));
  EXPECT_EQ(ReadFile(dir.File("elsewhere.txt")),
            "MainForm.Button1.Caption%-1='&Close'\r\nMainForm.Button1.Caption%12='&Fermer'\r\n");

  app.Translator->SetStorageFile("");
  EXPECT_EQ(WriteFormToString(app.Form), redirected);
  EXPECT_FALSE(FileExists(dir.File("tr.txt")));

  app.Translator->ResetStorageFile();
  WriteFormToString(app.Form);
  EXPECT_TRUE(FileExists(dir.File("tr.txt")));

  // A list kept in the form has no file, whatever was asked.
  app.Translator->SetFileName("");
  app.Translator->SetStorageFile(dir.File("never.txt"));
  EXPECT_EQ(app.Translator->StorageFile(), "");
  WriteFormToString(app.Form);
  EXPECT_FALSE(FileExists(dir.File("never.txt")));
}

TEST(FormStorageTest, RelativeNamesAndNamesFromAnotherPlatform) {
  TempDir dir;
  TCurrentDir cwd(dir.Path());
  std::filesystem::create_directory(dir.Path() / "lang");
  String text;
  {
    TStorageForm app("MainForm", 7);
    // A name written on another platform: "\" separates folders.
    app.Translator->SetFileName("lang\\tr.txt");
    SetEntries(app.Translator, {"Button1.Caption='&Schliessen'"});
    text = WriteFormToString(app.Form);
  }
  EXPECT_NE(text.find("FileName = 'lang\\tr.txt'"), String::npos) << text;
  EXPECT_TRUE(FileExists(dir.File("lang/tr.txt")));
  std::unique_ptr<TComponent> form(ReadFormFromString(text, nullptr));
  EXPECT_EQ(TranslatorOf(form.get())->Translations()->Text(), "Button1.Caption='&Schliessen'\r\n");
}

TEST(FormStorageTest, BareNamesLiveInTheProjectFolderAndTheCurrentFolderWinsOnReading) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "project");
  std::filesystem::create_directory(dir.Path() / "work");
  TCurrentDir cwd(dir.Path() / "work");
  ToolServices->SetProjectName(dir.File("project/Demo.dpr"));
  TComponent designer(nullptr);
  designer.SetDesigning(true);
  String text;
  {
    TStorageForm app("MainForm", 12);
    app.Form->SetDesigning(true);
    app.Translator->SetFileName("tr.txt");
    SetEntries(app.Translator, {"Button1.Caption='&Fermer'"});
    text = WriteFormToString(app.Form);
  }
  EXPECT_TRUE(FileExists(dir.File("project/tr.txt")));
  EXPECT_FALSE(FileExists(dir.File("work/tr.txt")));
  {
    std::unique_ptr<TComponent> form(ReadFormFromString(text, &designer));
    EXPECT_EQ(TranslatorOf(form.get())->Translations()->Text(), "Button1.Caption='&Fermer'\r\n");
    // At design time the form keeps its designed texts.
    EXPECT_EQ(GetStrProp(form->FindComponent("Button1"), "Caption"), "&Close");
  }
  WriteFile(dir.File("work/tr.txt"), "MainForm.Button1.Caption%12='from the current folder'\r\n");
  {
    std::unique_ptr<TComponent> form(ReadFormFromString(text, &designer));
    EXPECT_EQ(TranslatorOf(form.get())->Translations()->Text(),
              "Button1.Caption='from the current folder'\r\n");
  }
  ToolServices->SetProjectName("");
}

TEST(FormStorageTest, AMissingTranslationFileIsNoError) {
  TempDir dir;
  TCurrentDir cwd(dir.Path());
  String text;
  {
    TStorageForm app("MainForm", 12);
    app.Translator->SetFileName(dir.File("tr.txt"));
    text = WriteFormToString(app.Form);
  }
  std::filesystem::remove(dir.File("tr.txt"));
  std::unique_ptr<TComponent> form(ReadFormFromString(text, nullptr));
  EXPECT_EQ(TranslatorOf(form.get())->Translations()->Count(), 0);
  EXPECT_EQ(GetStrProp(form->FindComponent("Button1"), "Caption"), "&Close");
}

}  // namespace
