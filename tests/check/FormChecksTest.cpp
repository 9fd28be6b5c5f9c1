// The checks of a translator's entries against its form: values, paths,
// originals, lists, and the translated form itself (accelerator clashes,
// focus accelerators, truncation with the bundled estimate), on small forms
// built for each, on the bundled example and on every corpus form.
#include "check/FormChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "check/TranslationSource.h"
#include "gls/Gls.h"
#include "host/classes/Streams.h"
#include "host/controls/Forms.h"
#include "host/formfiles/FormFiles.h"
#include "support/TestSupport.h"

namespace {

std::unique_ptr<TComponent> Form(const String& text) {
  return std::unique_ptr<TComponent>(ReadFormFromString(text));
}

const char* kDialog = R"(object Dialog: TForm
  Width = 300
  Height = 200
  Caption = 'Find'
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  PixelsPerInch = 96
  object LabelName: TLabel
    Left = 8
    Top = 12
    Width = 31
    Height = 13
    Caption = '&Name:'
    FocusControl = EditName
  end
  object EditName: TEdit
    Left = 48
    Top = 8
    Width = 150
    Height = 21
    Color = clWindow
    TabOrder = 0
  end
  object ButtonFind: TButton
    Left = 8
    Top = 40
    Width = 75
    Height = 25
    Caption = '&Find'
    TabOrder = 1
  end
  object ButtonClose: TButton
    Left = 90
    Top = 40
    Width = 75
    Height = 25
    Caption = '&Close'
    TabOrder = 2
  end
  object CheckCase: TCheckBox
    Left = 8
    Top = 72
    Width = 100
    Height = 17
    Caption = 'Match &case'
    TabOrder = 3
  end
  object ListKinds: TListBox
    Left = 8
    Top = 96
    Width = 100
    Height = 50
    Items.Strings = (
      'Words'
      'Lines'
      'Files')
    TabOrder = 4
  end
end
)";

std::vector<TDiagnostic> Check(TComponent* form, std::vector<TCheckEntry> entries,
                             std::vector<TCheckEntry> originals = {},
                             const TCheckSelection& selection = {}) {
  TEstimatedMeasure measure;
  TTranslatorCheck input;
  input.FormName = form->Name();
  input.Locale = 12;
  int line = 0;
  for (TCheckEntry& e : entries) {
    e.File = "t.txt";
    e.Line = ++line;
  }
  input.Entries = std::move(entries);
  input.Originals = std::move(originals);
  std::vector<TDiagnostic> found;
  CheckTranslator(form, input, selection, &measure, found);
  return found;
}

// "check path" for each finding, in order.
std::vector<String> Named(const std::vector<TDiagnostic>& found) {
  std::vector<String> names;
  for (const TDiagnostic& d : found) names.push_back(d.Check + " " + d.Path);
  return names;
}

using Names = std::vector<String>;

TEST(FormChecks, ValuesThatDoNotConvertAreErrors) {
  auto form = Form(kDialog);
  const auto found = Check(form.get(), {{"ButtonFind.Width", "wide"},
                                      {"ButtonFind.Width", "80"},
                                      {"ButtonFind.Width", ""},  // empty: not applied
                                      {"EditName.Color", "clPink"},
                                      {"EditName.Color", "clYellow"},
                                      {"EditName.Color", "$00FF00"},
                                      {"CheckCase.Checked", "Yes"},
                                      {"CheckCase.Checked", "True"},
                                      {"ButtonFind.Font.Style", "bold"},
                                      {"ButtonFind.Font.Style", "64"},
                                      {"ButtonFind.Font.Style", "1"},
                                      {"ButtonFind.Caption", "'Suchen'#x'"},
                                      {"ButtonFind.Caption", "#"}});
  EXPECT_EQ(Named(found), (Names{"convert ButtonFind.Width", "convert EditName.Color",
                                 "convert CheckCase.Checked",
                                 "convert ButtonFind.Font.Style", "convert ButtonFind.Font.Style",
                                 "literal ButtonFind.Caption", "literal ButtonFind.Caption"}));
  for (const TDiagnostic& d : found) EXPECT_EQ(d.Severity, TSeverity::Error) << d.Message;
  EXPECT_NE(found[0].Message.find("'wide' is not a whole number"), String::npos);
  EXPECT_EQ(found[0].Line, 1);
  EXPECT_EQ(found[0].File, "t.txt");
  EXPECT_TRUE(HasErrors(found));
}

TEST(FormChecks, PathsTheFormLacksAndListsOfAnotherLength) {
  auto form = Form(kDialog);
  const auto found = Check(form.get(), {{"ButtonGone.Caption", "'Weg'"},
                                      {"ButtonFind.Kaption", "'Suchen'"},
                                      {"ButtonFind.Font", "'x'"},
                                      {"ListKinds.Items[0]", "'Mots'"},
                                      {"ListKinds.Items[1]", "'Lignes'"},
                                      {"ListKinds.Items[7]", "'Trop'"},
                                      {"ListKinds.Items[01]", "'Zéro'"}});
  EXPECT_EQ(Named(found), (Names{"missing-path ButtonGone.Caption", "missing-path ButtonFind.Kaption",
                                 "missing-path ButtonFind.Font", "list-length ListKinds.Items[7]",
                                 "missing-path ListKinds.Items[01]", "list-length ListKinds.Items"}));
  EXPECT_NE(found.back().Message.find("2 of the list's 3 items"), String::npos);
  EXPECT_FALSE(HasErrors(found));
  // All items translated: nothing.
  EXPECT_TRUE(Check(form.get(), {{"ListKinds.Items[0]", "'Mots'"},
                               {"ListKinds.Items[1]", "'Lignes'"},
                               {"ListKinds.Items[2]", "'Fichiers'"}})
                  .empty());
}

TEST(FormChecks, StaleAndUntranslatedOriginals) {
  auto form = Form(kDialog);
  const auto found =
      Check(form.get(), {{"ButtonFind.Caption", "'&Suchen'"}, {"ButtonClose.Caption", "''"}},
          {{"ButtonFind.Caption", "'&Search'", "t.txt", 10},
           {"ButtonClose.Caption", "'&Close'", "t.txt", 11},
           {"CheckCase.Caption", "'Match &case'", "t.txt", 12},
           {"ButtonFind.Width", "75", "t.txt", 13}});
  EXPECT_EQ(Named(found), (Names{"untranslated ButtonClose.Caption", "stale-original ButtonFind.Caption",
                                 "untranslated CheckCase.Caption"}));
  EXPECT_EQ(found[1].Original, "&Find");
  EXPECT_EQ(found[2].Line, 12);
}

TEST(FormChecks, TextChecksRunOnTranslatedTexts) {
  auto form = Form(kDialog);
  const auto found = Check(form.get(), {{"ButtonFind.Caption", "'Suchen'"},
                                      {"ButtonClose.Caption", "'&Schlie'#223'en'"},
                                      {"Caption", "'Suche:'"},
                                      {"EditName.Hint", "'Suchen & finden'"}});
  EXPECT_EQ(Named(found), (Names{"accelerator ButtonFind.Caption", "punctuation Caption"}));
  EXPECT_EQ(found[0].Translation, "Suchen");
  EXPECT_EQ(found[0].Original, "&Find");
}

TEST(FormChecks, LabelOfAFocusControlLosesItsAccelerator) {
  auto form = Form(kDialog);
  const auto found = Check(form.get(), {{"LabelName.Caption", "'Nom :'"}});
  EXPECT_EQ(Named(found), (Names{"focus-accelerator LabelName.Caption"}));
  EXPECT_NE(found[0].Message.find("EditName"), String::npos);
}

TEST(FormChecks, AcceleratorClashAmongSiblingsThatTheOriginalsLack) {
  auto form = Form(kDialog);
  // Find and Close both on S.
  auto found = Check(form.get(), {{"ButtonFind.Caption", "'&Suchen'"},
                                {"ButtonClose.Caption", "'&Schlie'#223'en'"}});
  ASSERT_EQ(Named(found), (Names{"accelerator-clash ButtonClose.Caption"}));
  EXPECT_NE(found[0].Message.find("Alt+S"), String::npos);
  EXPECT_NE(found[0].Message.find("ButtonFind"), String::npos);
  // Case does not matter; a translation that keeps two keys apart is clean.
  EXPECT_EQ(Check(form.get(), {{"ButtonFind.Caption", "'&suchen'"},
                             {"ButtonClose.Caption", "'&Schlie'#223'en'"}})
                .size(),
            1u);
  EXPECT_TRUE(Check(form.get(), {{"ButtonFind.Caption", "'&Suchen'"},
                               {"ButtonClose.Caption", "'S&chlie'#223'en'"}})
                  .empty());
  // The form is back as it was.
  EXPECT_EQ(static_cast<TControl*>(form->FindComponent("ButtonFind"))->Caption(), "&Find");
}

TEST(FormChecks, ClashTheOriginalAlreadyHasIsNotReported) {
  String text = kDialog;
  text.replace(text.find("'&Close'"), 8, "'&Fin'");
  auto form = Form(text);
  EXPECT_TRUE(Check(form.get(), {{"ButtonFind.Caption", "'&Suchen'"},
                               {"ButtonClose.Caption", "'&Schlie'#223'en'"}})
                  .empty());
}

TEST(FormChecks, TruncationEstimatedAgainstTheControlsRoom) {
  auto form = Form(kDialog);
  // The label may grow up to the edit box 40 pixels to its right.
  auto found = Check(form.get(), {{"LabelName.Caption", "'&Nom et pr'#233'nom :'"},
                                {"ButtonFind.Caption", "'&Rechercher partout'"},
                                {"CheckCase.Caption", "'Respecter la &casse des lettres'"},
                                {"ButtonClose.Caption", "'&Fermer'"}});
  ASSERT_EQ(Named(found), (Names{"truncation LabelName.Caption", "truncation ButtonFind.Caption",
                                 "truncation CheckCase.Caption"}));
  EXPECT_NE(found[0].Message.find("up to EditName"), String::npos) << found[0].Message;
  EXPECT_NE(found[0].Message.find("estimated"), String::npos) << found[0].Message;
  EXPECT_EQ(found[0].Severity, TSeverity::Warning);
  // Short texts fit.
  EXPECT_TRUE(Check(form.get(), {{"LabelName.Caption", "'&Nom :'"},
                               {"CheckCase.Caption", "'&Casse'"}})
                  .empty());
  // A translated width gives the text room.
  EXPECT_TRUE(Check(form.get(), {{"ButtonFind.Caption", "'&Rechercher partout'"},
                               {"ButtonFind.Width", "140"}})
                  .empty());
}

TEST(FormChecks, SelectionRunsOnlyTheChecksChosen) {
  auto form = Form(kDialog);
  const std::vector<TCheckEntry> entries{{"ButtonFind.Caption", "'Rechercher partout'"},
                                         {"ButtonFind.Width", "x"}};
  TCheckSelection only;
  only.Only("truncation");
  EXPECT_EQ(Named(Check(form.get(), entries, {}, only)), (Names{"truncation ButtonFind.Caption"}));
  TCheckSelection skip;
  skip.Skip("truncation,accelerator");
  EXPECT_EQ(Named(Check(form.get(), entries, {}, skip)), (Names{"convert ButtonFind.Width"}));
  EXPECT_EQ(Named(Check(form.get(), entries, {}, TCheckSelection::ErrorsOnly())),
            (Names{"convert ButtonFind.Width"}));
  EXPECT_THROW(only.Only("no-such-check"), EConvertError);
}

// The bundled example: the French label is cut by the search box, the
// German captions of the label and the Close button clash on S; nothing else.
std::vector<TDiagnostic> CheckExample(const String& formFile, Integer locale) {
  const String dir = String(GLS_SOURCE_DIR) + "/examples/";
  std::unique_ptr<TComponent> form(ReadFormFromString(ReadFileToString(dir + formFile)));
  TTranslationFileIndex file(dir + "translations.txt", ReadFileToString(dir + "translations.txt"));
  TTranslatorCheck input;
  input.FormName = form->Name();
  input.Locale = locale;
  input.Entries = file.Entries(input.FormName, locale);
  input.Originals = file.Entries(input.FormName, -1);
  EXPECT_FALSE(input.Entries.empty());
  TEstimatedMeasure measure;
  std::vector<TDiagnostic> found;
  CheckTranslator(form.get(), input, {}, &measure, found);
  return found;
}

TEST(FormChecks, BundledExampleShowsItsRealFaultsOnly) {
  const auto french = CheckExample("MainForm.dfm", 12);
  ASSERT_EQ(Named(french), (Names{"truncation LabelSearch.Caption"}));
  EXPECT_EQ(french[0].Translation, "&Rechercher :");
  EXPECT_EQ(french[0].Line, 17);
  EXPECT_NE(french[0].Message.find("up to EditSearch"), String::npos) << french[0].Message;
  EXPECT_EQ(Named(CheckExample("MainForm.dfm", 7)), (Names{"accelerator-clash LabelSearch.Caption"}));
  EXPECT_TRUE(CheckExample("OptionsDialog.dfm", 12).empty());
  EXPECT_TRUE(CheckExample("OptionsDialog.dfm", 7).empty());
}

TEST(TranslationFileIndex, EntriesAsLoadingMergesThem) {
  TTranslationFileIndex file("t.txt",
                             "F.A.Caption%-1='a'\r\n"
                             "F.A.Caption%12='x'\r\n"
                             "G.A.Caption%12='other form'\r\n"
                             "F.B.Caption%12='b'\n"
                             "F.A.Caption%12='later wins'\n"
                             "F.C%zz='bad'\n"
                             "F.D.Caption%7='d=e'\n");
  const auto entries = file.Entries("F", 12);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Path, "A.Caption");
  EXPECT_EQ(entries[0].Value, "'later wins'");
  EXPECT_EQ(entries[0].Line, 5);
  EXPECT_EQ(entries[1].Line, 4);
  EXPECT_EQ(file.Entries("F", 7).front().Value, "'d=e'");
  EXPECT_EQ(file.Entries("F", -1).size(), 1u);
  EXPECT_EQ(file.Locales("F"), (std::vector<Integer>{7, 12}));
  EXPECT_TRUE(file.Entries("G.A", 12).empty());
  ASSERT_EQ(file.BadLines().size(), 1u);
  EXPECT_EQ(file.BadLines()[0].Line, 6);
}

// Every corpus form, each string property given a translation that changes
// it, is checked without a crash; the findings of each check are printed.
TEST(FormChecks, EveryCorpusFormWithEveryStringTranslated) {
  GLS_REQUIRE_CORPUS(dir);
  std::map<String, int> counts;
  int forms = 0, entries = 0;
  TEstimatedMeasure measure;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    const String ext = LowerCase(e.path().extension().string());
    if (!e.is_regular_file() || (ext != ".dfm" && ext != ".lfm")) continue;
    std::unique_ptr<TComponent> form;
    try {
      form.reset(ReadFormFromString(ReadFileToString(e.path().string())));
    } catch (const Exception&) {
      continue;  // forms the host cannot read are the form reader's tests
    }
    ++forms;
    auto* walker = new TGlossmith(form.get());
    TStringList lines;
    walker->TranslateForm(&lines, true);
    delete walker;
    TTranslatorCheck input;
    input.FormName = form->Name();
    input.Locale = 12;
    for (const auto& item : lines.Items()) {
      const size_t eq = item.Str.find('=');
      String value = item.Str.substr(eq + 1);
      if (value.empty() || (value[0] != '\'' && value[0] != '#')) continue;
      TGlossmith::ConvertFromLiterals(value);
      if (value.empty()) continue;
      // A longer text with the first accelerator dropped: truncation,
      // accelerator and clash checks all get work.
      String translated = value + " (traduit)";
      if (size_t amp = translated.find('&'); amp != String::npos && amp + 1 < translated.size() &&
                                               translated[amp + 1] != '&')
        translated.erase(amp, 1);
      TGlossmith::ConvertToLiterals(translated);
      input.Entries.push_back({item.Str.substr(0, eq), translated, e.path().filename().string(),
                               static_cast<int>(input.Entries.size() + 1)});
    }
    entries += static_cast<int>(input.Entries.size());
    std::vector<TDiagnostic> found;
    ASSERT_NO_THROW(CheckTranslator(form.get(), input, {}, &measure, found)) << e.path();
    for (const TDiagnostic& d : found) ++counts[d.Check];
  }
  ASSERT_GT(forms, 0);
  String report = Format("%d corpus forms, %d translated texts; findings per check:", {forms, entries});
  for (const TCheckInfo& c : AllChecks()) report += Format(" %s %d,", {c.Name, counts[c.Name]});
  std::cout << report << "\n";
  EXPECT_GT(counts["truncation"], 0);
}

}  // namespace
