#include <gtest/gtest.h>

#include "gls/Diagnostics.h"
#include "gls/Gls.h"
#include "host/classes/Streams.h"
#include "host/controls/Forms.h"
#include "host/platform/ToolIntf.h"
#include "support/TestSupport.h"
#include "support/gls/StorageForms.h"

using testsupport::ReadFile;
using testsupport::SetEntries;
using testsupport::TempDir;
using testsupport::TStorageForm;
using testsupport::WriteFile;

namespace {

TEST(TranslationFileTest, SaveWritesTranslationsAndTheOriginalsOfTranslatedPathsOnly) {
  TempDir dir;
  TStorageForm app("MainForm", 12);
  SetEntries(app.Translator, {"Label1.Caption='Nom :'", "Button1.Caption='&Fermer'"});
  String file = dir.File("tr.txt");
  app.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file),
            "MainForm.Button1.Caption%-1='&Close'\r\n"
            "MainForm.Button1.Caption%12='&Fermer'\r\n"
            "MainForm.Label1.Caption%-1='Name:'\r\n"
            "MainForm.Label1.Caption%12='Nom :'\r\n");
  // Saving again gives the same file; the form is unchanged.
  const String first = ReadFile(file);
  app.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file), first);
  EXPECT_EQ(app.Button1->FCaption, "&Close");
  EXPECT_EQ(app.Translator->ActiveList(), nullptr);
}

TEST(TranslationFileTest, FormsAndLocalesShareOneFileWithoutTouchingEachOthersLines) {
  TempDir dir;
  String file = dir.File("tr.txt");
  TStorageForm main("MainForm", 12), other("Dialog", 12);
  SetEntries(main.Translator, {"Button1.Caption='&Fermer'"});
  SetEntries(other.Translator, {"Label1.Caption='Nom :'"});
  main.Translator->SaveTo(file);
  other.Translator->SaveTo(file);
  main.Translator->SetLocale(7);
  SetEntries(main.Translator, {"Button1.Caption='&Schliessen'"});
  main.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file),
            "Dialog.Label1.Caption%-1='Name:'\r\n"
            "Dialog.Label1.Caption%12='Nom :'\r\n"
            "MainForm.Button1.Caption%-1='&Close'\r\n"
            "MainForm.Button1.Caption%12='&Fermer'\r\n"
            "MainForm.Button1.Caption%7='&Schliessen'\r\n");

  // Each loads only its own form and locale, merged into its list.
  SetEntries(main.Translator, {"Label1.Caption='kept'"});
  main.Translator->SetLocale(12);
  EXPECT_TRUE(main.Translator->LoadFrom(file));
  EXPECT_EQ(main.Translator->Translations()->Text(),
            "Button1.Caption='&Fermer'\r\nLabel1.Caption='kept'\r\n");
}

TEST(TranslationFileTest, FormNamesDifferingOnlyInCaseAreDifferentForms) {
  TempDir dir;
  String file = dir.File("tr.txt");
  WriteFile(file, "MainForm.Button1.Caption%12='&Fermer'\r\n");
  TStorageForm lower("mainform", 12);
  EXPECT_TRUE(lower.Translator->LoadFrom(file));
  EXPECT_EQ(lower.Translator->Translations()->Count(), 0);
  lower.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file), "MainForm.Button1.Caption%12='&Fermer'\r\n");
}

TEST(TranslationFileTest, OriginalsOfATranslatedFormAreTheTextsItShowedBefore) {
  TempDir dir;
  TStorageForm app("MainForm", 12);
  SetEntries(app.Translator, {"Button1.Caption='&Fermer'"});
  app.Translator->SetTranslate(false);
  app.Translator->SetTranslate(true);
  ASSERT_EQ(app.Button1->FCaption, "&Fermer");
  String file = dir.File("tr.txt");
  app.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file),
            "MainForm.Button1.Caption%-1='&Close'\r\nMainForm.Button1.Caption%12='&Fermer'\r\n");
  EXPECT_EQ(app.Button1->FCaption, "&Fermer");
}

TEST(TranslationFileTest, MalformedLinesOfTheFormFailAndOtherFormsLinesMayHoldAnything) {
  TempDir dir;
  String file = dir.File("tr.txt");
  const String content =
      "Other.anything at all\r\nMainForm.Button1.Caption%12='&Fermer'\r\n"
      "MainForm.Label1.Caption%xx='Nom'\r\nMainForm.Edit1.Text%12='z'\r\n";
  WriteFile(file, content);
  TStorageForm app("MainForm", 12);
  SetEntries(app.Translator, {"Button1.Caption='x'"});
  EXPECT_THROW(app.Translator->SaveTo(file), EConvertError);
  EXPECT_EQ(ReadFile(file), content);
  // Loading merges the lines before the malformed one, then fails.
  EXPECT_THROW(app.Translator->LoadFrom(file), EConvertError);
  EXPECT_EQ(app.Translator->Translations()->Text(), "Button1.Caption='&Fermer'\r\n");
  EXPECT_EQ(app.Translator->ActiveList(), nullptr);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(TranslationFileTest, NamesBeyondAsciiArePathsAndLinesStayInByteOrder) {
  TempDir dir;
  String file = dir.File("tr.txt");
  // Lines of other forms whose names begin with an ASCII letter and with
  // letters beyond ASCII: unsigned bytes put Zeta before Ärger before Форма1.
  WriteFile(file, "Zeta.Button1.Caption%12='z'\r\n\xC3\x84rger.Button1.Caption%12='a'\r\n");
  TStorageForm app("Форма1", 12);
  auto* button = new testsupport::TCaptioned(app.Form);
  button->SetName("Кнопка1");
  button->FCaption = "&Close";
  SetEntries(app.Translator, {"Кнопка1.Caption='&Fermer'", "Button1.Caption='&Ok'"});
  EXPECT_EQ(app.Translator->Translations()->Text(),
            "Button1.Caption='&Ok'\r\nКнопка1.Caption='&Fermer'\r\n");
  app.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file),
            "Zeta.Button1.Caption%12='z'\r\n"
            "\xC3\x84rger.Button1.Caption%12='a'\r\n"
            "Форма1.Button1.Caption%-1='&Close'\r\n"
            "Форма1.Button1.Caption%12='&Ok'\r\n"
            "Форма1.Кнопка1.Caption%-1='&Close'\r\n"
            "Форма1.Кнопка1.Caption%12='&Fermer'\r\n");

  app.Translator->Translations()->Clear();
  EXPECT_TRUE(app.Translator->LoadFrom(file));
  EXPECT_EQ(app.Translator->Translations()->Text(),
            "Button1.Caption='&Ok'\r\nКнопка1.Caption='&Fermer'\r\n");
  app.Translator->SetTranslate(false);
  app.Translator->SetTranslate(true);
  EXPECT_EQ(button->FCaption, "&Fermer");

  // An unnamed form is named by its class without the first character, a
  // whole UTF-8 letter when it is one.
  app.Form->SetName("");
  app.Form->SetFormClassName("ТФорма");  // a Cyrillic Т
  app.Translator->SaveTo(file);
  EXPECT_NE(ReadFile(file).find("\r\nФорма.Кнопка1.Caption%12='&Fermer'\r\n"), String::npos);
}

TEST(TranslationFileTest, OddLocalesAndLimits) {
  TempDir dir;
  String file = dir.File("tr.txt");
  // A locale written as 07 matches 7 but leaves its last digit in the path.
  WriteFile(file, "F.Button1.Caption%07='a'\nF.Label1.Caption%7='b'\rF.Edit1.Text%-1='c'");
  TStorageForm app("F", 7);
  app.Translator->LoadFrom(file);
  EXPECT_EQ(app.Translator->Translations()->Text(),
            "Button1.Caption7='a'\r\nLabel1.Caption='b'\r\n");
  // Locale -1 loads the original texts too.
  app.Translator->SetLocale(-1);
  app.Translator->Translations()->Clear();
  app.Translator->LoadFrom(file);
  EXPECT_EQ(app.Translator->Translations()->Text(), "Edit1.Text='c'\r\n");

  // Values are cut at 4095 characters when saved.
  app.Translator->SetLocale(12);
  String longValue(5000, 'x');
  TStringList list;
  list.Add("Label1.Caption=" + longValue);
  app.Translator->SetTranslations(&list);
  app.Translator->SaveTo(file);
  String saved = ReadFile(file);
  EXPECT_NE(saved.find("F.Label1.Caption%12=" + String(4095, 'x') + "\r\n"), String::npos);
}

TEST(TranslationFileTest, AValueCutOnSavingIsAWarningThatNamesTheFileAndThePath) {
  TempDir dir;
  const String file = dir.File("tr.txt"), dict = dir.File("dict.txt");
  std::vector<TDiagnostic> warnings;
  TDiagnosticScope scope([&](const TDiagnostic& d) { warnings.push_back(d); });
  TStorageForm app("F", 12);
  const String longText(5000, 'x');
  TStringList list;
  list.Add("Label1.Caption='" + longText + "'");
  list.Add("Button1.Caption='short'");
  app.Translator->SetTranslations(&list);
  app.Translator->SaveTo(file);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].Kind, TDiagnosticKind::ValueCut);
  EXPECT_EQ(warnings[0].Text(), file + ": F.Label1.Caption: the value (5002 bytes) is cut to the "
                                       "4095 bytes that a line holds");
  // The many-forms save and the dictionary say the same of their files.
  warnings.clear();
  TGlossmith::SaveAllTo({app.Translator}, dir.File("all.txt"));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].FileName, dir.File("all.txt"));
  warnings.clear();
  app.Label1->FCaption = longText;
  app.Translator->TranslateTo(dict);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].Text(), dict + ": Label1.Caption: the translation (5002 bytes) is cut to "
                                       "the 4095 bytes that a line holds");
  EXPECT_EQ(warnings[1].Path, "Label1.Caption");
  EXPECT_NE(warnings[1].Message.find("the original text"), String::npos);
}

TEST(TranslationFileTest, ATranslationFileKeepsNoRawNulAndWarnsOfKeysGivenTwice) {
  using namespace std::string_literals;
  TempDir dir;
  const String file = dir.File("tr.txt");
  std::vector<TDiagnostic> warnings;
  TDiagnosticScope scope([&](const TDiagnostic& d) { warnings.push_back(d); });
  WriteFile(file, "F.Button1.Caption%12='a\0b'\r\nF.Label1.Caption%12='one'\r\n"
                  "F.Label1.Caption%7='other locale'\r\nF.Label1.Caption%12='two'\r\n"s);
  TStorageForm app("F", 12);
  app.Translator->LoadFrom(file);
  EXPECT_EQ(app.Translator->Translations()->Text(),
            "Button1.Caption='a\0b'\r\nLabel1.Caption='two'\r\n"s);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].Kind, TDiagnosticKind::DuplicateKey);
  EXPECT_EQ(warnings[0].Text(),
            file + ", line 4: F.Label1.Caption: given again for locale 12; this later line wins");

  // Saved, the character 0 is written as the form writer writes it.
  app.Translator->SaveTo(file);
  const String saved = ReadFile(file);
  EXPECT_EQ(saved.find('\0'), String::npos);
  EXPECT_NE(saved.find("F.Button1.Caption%12='a'#0'b'\r\n"), String::npos) << saved;
  app.Translator->Translations()->Clear();
  app.Translator->LoadFrom(file);
  String value = app.Translator->Translations()->Strings(0).substr(16);
  TGlossmith::ConvertFromLiterals(value);
  EXPECT_EQ(value, "a\0b"s) << "the same text";
}

TEST(TranslationFileTest, MissingFilesAndEmptyLists) {
  TempDir dir;
  TStorageForm app("MainForm", 12);
  EXPECT_FALSE(app.Translator->LoadFrom(dir.File("missing.txt")));
  // An empty list still writes the file, without this form's lines.
  String file = dir.File("tr.txt");
  WriteFile(file, "MainForm.Button1.Caption%12='x'\r\nMainForm.Button1.Caption%7='y'\r\n");
  app.Translator->SaveTo(file);
  EXPECT_EQ(ReadFile(file), "MainForm.Button1.Caption%7='y'\r\n");
}

TEST(TranslationFileTest, AFailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  String file = dir.File("tr.txt");
  const String old = "Other.Caption%7='keep me'\r\n";
  WriteFile(file, old);
  TStorageForm app("MainForm", 12);
  SetEntries(app.Translator, {"Button1.Caption='&Fermer'"});
  GBeforeAtomicRename = [](const String&) { throw EWriteError("disk full"); };
  EXPECT_THROW(app.Translator->SaveTo(file), EWriteError);
  GBeforeAtomicRename = nullptr;
  EXPECT_EQ(ReadFile(file), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
  // A folder that cannot be written names the file.
  try {
    app.Translator->SaveTo(dir.File("no/such/folder/tr.txt"));
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("no/such/folder/tr.txt"), String::npos);
  }
}

TEST(TranslationFileTest, AppDirComesFromTheProgramOrTheOpenProject) {
  TStorageForm app("MainForm", 12);
  EXPECT_EQ(app.Translator->GetAppDir(), ExtractFilePath(Application->ExeName()));
  EXPECT_FALSE(app.Translator->GetAppDir().empty());
  app.Translator->SetDesigning(true);
  ToolServices->SetProjectName("/projects/demo/Demo.dpr");
  EXPECT_EQ(app.Translator->GetAppDir(), "/projects/demo/");
  ToolServices->SetProjectName("");
  EXPECT_EQ(app.Translator->GetAppDir(), "");
}

TEST(TranslationFileTest, ATranslatorWithoutAFormRefusesClearly) {
  TempDir dir;
  TGlossmith orphan(nullptr);
  EXPECT_THROW(orphan.SaveTo(dir.File("tr.txt")), EComponentError);
  EXPECT_FALSE(FileExists(dir.File("tr.txt")));
}

TEST(TranslationFileTest, MessagesNameATranslatorWithoutANameSensibly) {
  TempDir dir;
  auto messageOf = [&](TGlossmith& t) -> String {
    try {
      t.SaveTo(dir.File("tr.txt"));
    } catch (const EComponentError& e) {
      return e.Message();
    }
    return "no error";
  };
  TGlossmith orphan(nullptr);
  EXPECT_EQ(messageOf(orphan),
            "The unnamed translator without a Locale has no form whose translations it could "
            "save or load");
  orphan.SetLocale(7);
  EXPECT_EQ(messageOf(orphan),
            "The unnamed translator with Locale 7 has no form whose translations it could save "
            "or load");
  orphan.SetName("TranslatorGerman");
  EXPECT_EQ(messageOf(orphan),
            "Translator TranslatorGerman has no form whose translations it could save or load");
}

}  // namespace
