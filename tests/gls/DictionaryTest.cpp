#include <gtest/gtest.h>

#include "gls/Gls.h"
#include "support/TestSupport.h"
#include "support/gls/StorageForms.h"

using testsupport::ReadFile;
using testsupport::SetEntries;
using testsupport::TempDir;
using testsupport::TStorageForm;
using testsupport::WriteFile;

namespace {

TEST(DictionaryTest, EscapesRoundTripAndLeaveOtherBackslashesAlone) {
  EXPECT_EQ(TGlossmith::WriteString("C:\\new"), "C:\\\\new");
  EXPECT_EQ(TGlossmith::WriteString("a\tb\r\nc"), "a\\tb\\r\\nc");
  EXPECT_EQ(TGlossmith::ReadString("C:\\\\new"), "C:\\new");
  EXPECT_EQ(TGlossmith::ReadString("Line 1\\nLine 2"), "Line 1\nLine 2");
  EXPECT_EQ(TGlossmith::ReadString("a\\x\\"), "a\\x\\");
  String all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  all += "\\n\\\\";
  EXPECT_EQ(TGlossmith::ReadString(TGlossmith::WriteString(all)), all);
}

TEST(DictionaryTest, ExportWritesSortedUniqueOriginalsAndMergesIntoTheFile) {
  TempDir dir;
  String dict = dir.File("dict.txt");
  WriteFile(dict, "Zebra\tZebra-de\nName:\told\n");
  TStorageForm app("MainForm", 7);
  app.Label1->FCaption = "Line 1\nC:\\new";
  SetEntries(app.Translator,
             {"Button1.Caption='&Schliessen'", "Label1.Caption='Zeile 1'#10'C:\\neu'",
              "Button1.Width=80", "Edit9.Caption='no such component'"});
  app.Translator->TranslateTo(dict);
  EXPECT_EQ(ReadFile(dict),
            "&Close\t&Schliessen\r\n"
            "75\t80\r\n"
            "Line 1\\nC:\\\\new\tZeile 1\\nC:\\\\neu\r\n"
            "Name:\told\r\n"
            "Zebra\tZebra-de\r\n");
  String first = ReadFile(dict);
  app.Translator->TranslateTo(dict);
  EXPECT_EQ(ReadFile(dict), first);
}

TEST(DictionaryTest, SharedOriginalsExportTheLaterTranslationAndImportIntoEveryEntry) {
  TempDir dir;
  String dict = dir.File("dict.txt");
  TStorageForm app("MainForm", 7);
  app.Label1->FCaption = "&Close";
  SetEntries(app.Translator, {"Button1.Caption='A'", "Label1.Caption='B'"});
  app.Translator->TranslateTo(dict);
  EXPECT_EQ(ReadFile(dict), "&Close\tB\r\n");

  SetEntries(app.Translator, {"Button1.Caption='x'", "Label1.Caption=y"});
  EXPECT_TRUE(app.Translator->TranslateFrom(dict));
  // Entries in literal form stay so; others receive the text as it is.
  EXPECT_EQ(app.Translator->Translations()->Text(), "Button1.Caption='B'\r\nLabel1.Caption=B\r\n");
}

TEST(DictionaryTest, AnUntranslatedEntryNeverEmptiesATranslationTheDictionaryHolds) {
  TempDir dir;
  String dict = dir.File("dict.txt");
  WriteFile(dict, "&Close\t&Schliessen\n");
  TStorageForm app("MainForm", 7);
  app.Label1->FCaption = "Name:";
  SetEntries(app.Translator, {"Button1.Caption=''", "Label1.Caption=''"});
  app.Translator->TranslateTo(dict);
  EXPECT_EQ(ReadFile(dict), "&Close\t&Schliessen\r\nName:\t\r\n")
      << "kept, and a new text is listed for translation";

  // Within one export too: a later untranslated entry keeps the earlier one's.
  app.Label1->FCaption = "&Close";
  SetEntries(app.Translator, {"Button1.Caption='&Fermer'", "Label1.Caption=''"});
  app.Translator->TranslateTo(dict);
  EXPECT_EQ(ReadFile(dict), "&Close\t&Fermer\r\nName:\t\r\n");
}

TEST(DictionaryTest, ImportMatchesExactlyAcceptsEveryLineEndAndCutsLongTranslations) {
  TempDir dir;
  String dict = dir.File("dict.txt");
  TStorageForm app("MainForm", 7);
  app.Label1->FCaption = "Line 1\nLine 2";
  for (const char* ends : {"\r\n", "\n", "\r"}) {
    SetEntries(app.Translator, {"Button1.Caption='x'", "Label1.Caption='y'"});
    String e(ends);
    WriteFile(dict, "close\tno" + e + "&Close \tno" + e + "no tab here" + e + e +
                        "Line 1\\nLine 2\tZeile 1\\nZeile 2" + e + "&Close\tSchlie\\\\en");
    EXPECT_TRUE(app.Translator->TranslateFrom(dict));
    EXPECT_EQ(app.Translator->Translations()->Text(),
              "Button1.Caption='Schlie\\en'\r\nLabel1.Caption='Zeile 1'#10'Zeile 2'\r\n")
        << "line ends "
        << (e == "\r\n" ? "CR LF"
            : e == "\n" ? "LF"
                        : "CR");
  }
  WriteFile(dict, "&Close\t" + String(5000, 'x'));
  app.Translator->TranslateFrom(dict);
  EXPECT_EQ(app.Translator->Translations()->Strings(0),
            "Button1.Caption='" + String(4095, 'x') + "'");
}

TEST(DictionaryTest, MissingFilesEmptyListsAndMalformedEntries) {
  TempDir dir;
  String dict = dir.File("dict.txt");
  TStorageForm app("MainForm", 7);
  EXPECT_FALSE(app.Translator->TranslateFrom(dict));
  WriteFile(dict, "&Close\tSchliessen\r\n");
  EXPECT_TRUE(app.Translator->TranslateFrom(dict));
  EXPECT_EQ(app.Translator->Translations()->Count(), 0);
  // A malformed literal makes the export fail before anything is written.
  SetEntries(app.Translator, {"Button1.Caption='ok'#x"});
  EXPECT_THROW(app.Translator->TranslateTo(dict), EConvertError);
  EXPECT_EQ(ReadFile(dict), "&Close\tSchliessen\r\n");
}

}  // namespace
