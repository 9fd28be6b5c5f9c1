// The translator's workbench without a front end: states, filters, search,
// progress, navigation, match percentages, suggestions and saving.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "host/controls/ComCtrls.h"
#include "host/controls/TabNotBk.h"
#include "host/formfiles/FormFiles.h"
#include "support/TestSupport.h"
#include "workbench/Workbench.h"

using namespace Glossmith;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

const char* const kForm =
    "object Form1: TForm\n"
    "  Caption = 'Orders'\n"
    "  Width = 400\n"
    "  object Button1: TButton\n"
    "    Width = 75\n"
    "    Height = 25\n"
    "    Caption = '&Close'\n"
    "  end\n"
    "  object Button2: TButton\n"
    "    Width = 75\n"
    "    Height = 25\n"
    "    Caption = '&Open'\n"
    "  end\n"
    "  object Label1: TLabel\n"
    "    Caption = 'Customer name:'\n"
    "  end\n"
    "end\n";

// Orders translated; Button1 translated against an older original (stale);
// Button2 and Label1 untranslated.
const char* const kFile =
    "Form1.Button1.Caption%-1='&Quit'\r\n"
    "Form1.Button1.Caption%7='&Beenden'\r\n"
    "Form1.Caption%-1='Orders'\r\n"
    "Form1.Caption%7='Bestellungen'\r\n";

struct TFixture {
  TempDir Dir;
  String FormFile = Dir.File("Form1.dfm");
  String TranslationFile = Dir.File("translations.txt");
  std::unique_ptr<TComponent> Form;
  std::unique_ptr<TWorkbench> Bench;

  explicit TFixture(const char* file = kFile, bool inForm = false) {
    WriteFile(FormFile, kForm);
    if (file) WriteFile(TranslationFile, file);
    Form.reset(ReadFormFromString(kForm));
    auto* translator = new TGlossmith(Form.get());
    translator->SetName("Glossmith1");
    translator->SetLocale(7);
    translator->SetTranslate(false);
    if (!inForm) translator->SetFileName(TranslationFile);
    Bench = std::make_unique<TWorkbench>(
        std::vector<TWorkForm>{{FormFile, ReadFile(FormFile), Form.get(), translator}});
  }
  size_t Index(const String& path) const {
    for (size_t i = 0; i < Bench->Texts().size(); ++i)
      if (Bench->Text(i).Path == path) return i;
    ADD_FAILURE() << "no text " << path;
    return 0;
  }
};

}  // namespace

TEST(WorkbenchMatch, CommonIsTheLongestCommonSubsequence) {
  // Matching blocks found greedily would give "ab" + "d" or "a" + "bd": the
  // subsequence "abd" is longer than either block alone.
  EXPECT_EQ(CommonCharacters("abcd", "acbd"), 3u);
  EXPECT_EQ(MatchPercent("abcd", "acbd"), 75);  // 2*3/8
  // "Close" and "Closed": 5 common, 10/11 = 90.9 %.
  EXPECT_EQ(MatchPercent("Close", "Closed"), 90);
  // "&Open" and "&Open file": 5 common, 10/15 = 66.6 %.
  EXPECT_EQ(MatchPercent("&Open", "&Open file"), 66);
  // Characters, not bytes: "Größe" and "Grösse" share G, r, s, e (4 of 5+6).
  EXPECT_EQ(CommonCharacters("Größe", "Grösse"), 4u);
  EXPECT_EQ(MatchPercent("Größe", "Grösse"), 72);  // 8/11
  EXPECT_EQ(MatchPercent("", ""), 100);
  EXPECT_EQ(MatchPercent("abc", ""), 0);
  EXPECT_EQ(MatchPercent("same", "same"), 100);
  // Interleaved: "kitten" / "sitting" share "ittn" (4): 8/13 = 61.5 %.
  EXPECT_EQ(CommonCharacters("kitten", "sitting"), 4u);
  EXPECT_EQ(MatchPercent("kitten", "sitting"), 61);
}

TEST(Workbench, StatesProgressAndFindings) {
  TFixture f;
  const TWorkbench& b = *f.Bench;
  // The form's four texts and the six of its window menu, which the
  // translator translates too.
  ASSERT_EQ(b.Texts().size(), 10u);
  EXPECT_EQ(b.Text(1).Path, "SystemMenuRestore");
  EXPECT_EQ(b.Text(f.Index("Caption")).State, TTextState::Translated);
  const TWorkText& stale = b.Text(f.Index("Button1.Caption"));
  EXPECT_EQ(stale.State, TTextState::Stale);
  EXPECT_EQ(stale.Previous, "&Quit");
  EXPECT_EQ(stale.Translation, "&Beenden");
  EXPECT_EQ(b.Text(f.Index("Button2.Caption")).State, TTextState::Untranslated);
  EXPECT_EQ(b.Progress().Translated, 1u);
  EXPECT_EQ(b.Progress().Total, 10u);
  EXPECT_EQ(b.FormProgress(0).Total, 10u);
  EXPECT_FALSE(b.Modified());

  // Findings follow the typing: a lost accelerator, then a text far too
  // wide for its button, then a sound one.
  f.Bench->SetTranslation(f.Index("Button2.Caption"), "Öffnen");
  const TWorkText& open = b.Text(f.Index("Button2.Caption"));
  EXPECT_EQ(open.State, TTextState::Translated);
  ASSERT_TRUE(open.HasWarnings());
  bool accelerator = false;
  for (const TDiagnostic& d : open.Findings) accelerator |= d.Check.find("accelerator") == 0;
  EXPECT_TRUE(accelerator) << open.Findings.front().Check;
  f.Bench->SetTranslation(f.Index("Button2.Caption"), "&Eine sehr lange Beschriftung zum Öffnen");
  bool truncated = false;
  for (const TDiagnostic& d : open.Findings) truncated |= d.Check == "truncation";
  EXPECT_TRUE(truncated);
  f.Bench->SetTranslation(f.Index("Button2.Caption"), "Ö&ffnen");
  EXPECT_FALSE(open.HasWarnings()) << open.Findings.front().Message;
  EXPECT_EQ(b.Progress().Translated, 2u);
  EXPECT_TRUE(b.Modified());
  // Typing the stale one's translation again confirms it for the new original.
  f.Bench->SetTranslation(f.Index("Button1.Caption"), "&Beenden");
  EXPECT_EQ(b.Text(f.Index("Button1.Caption")).State, TTextState::Translated);
  // Clearing a translation makes the text untranslated.
  f.Bench->SetTranslation(f.Index("Caption"), "");
  EXPECT_EQ(b.Text(f.Index("Caption")).State, TTextState::Untranslated);
  EXPECT_EQ(b.Progress().Translated, 2u);
}

TEST(Workbench, FiltersSearchAndNavigation) {
  TFixture f;
  TWorkbench& b = *f.Bench;
  const size_t caption = f.Index("Caption"), close = f.Index("Button1.Caption"),
               open = f.Index("Button2.Caption"), label = f.Index("Label1.Caption");
  auto all = b.Visible(TFilter::All);
  EXPECT_EQ(all.size(), 10u);
  const auto untranslated = b.Visible(TFilter::Untranslated);
  EXPECT_EQ(untranslated.size(), 8u);  // with the window menu's six
  EXPECT_EQ(std::count(untranslated.begin(), untranslated.end(), open), 1);
  EXPECT_EQ(std::count(untranslated.begin(), untranslated.end(), close), 0);
  EXPECT_EQ(b.Visible(TFilter::Stale), (std::vector<size_t>{close}));
  EXPECT_TRUE(b.Visible(TFilter::WithWarnings).empty());
  b.SetTranslation(open, "Öffnen");  // no accelerator
  EXPECT_EQ(b.Visible(TFilter::WithWarnings), (std::vector<size_t>{open}));

  // Search in originals and translations, case ignored, within the filter.
  EXPECT_EQ(b.Visible(TFilter::All, "BESTELL"), (std::vector<size_t>{caption}));
  EXPECT_EQ(b.Visible(TFilter::All, "name"), (std::vector<size_t>{label}));
  EXPECT_EQ(b.Visible(TFilter::All, "&O"), (std::vector<size_t>{open}));
  EXPECT_EQ(b.Visible(TFilter::All, "&beend"), (std::vector<size_t>{close}));
  EXPECT_TRUE(b.Visible(TFilter::Untranslated, "Bestell").empty());
  EXPECT_TRUE(b.Passes(label, TFilter::Untranslated, "cust"));

  // Translations read from the file are checked from the start.
  const String withWarning = String(kFile) +
                             "Form1.Button2.Caption%-1='&Open'\r\n"
                             "Form1.Button2.Caption%7='Öffnen'\r\n";
  TFixture g(withWarning.c_str());
  EXPECT_EQ(g.Bench->Visible(TFilter::WithWarnings),
            (std::vector<size_t>{g.Index("Button2.Caption")}));

  // The form's own texts, as a filter would leave them.
  all = {caption, close, open, label};
  EXPECT_EQ(TWorkbench::Next(all, all[0]), all[1]);
  EXPECT_EQ(TWorkbench::Previous(all, all[1]), all[0]);
  EXPECT_EQ(TWorkbench::Previous(all, all[0]), std::nullopt);
  EXPECT_EQ(TWorkbench::Next(all, all.back()), std::nullopt);
  // Accept-and-next goes to the next untranslated or stale text, wrapping.
  std::vector<size_t> order;
  for (size_t i : all)
    if (b.Text(i).State != TTextState::Translated) order.push_back(i);
  ASSERT_EQ(order, (std::vector<size_t>{close, label}));
  EXPECT_EQ(b.NextToDo(all, caption), close);
  EXPECT_EQ(b.NextToDo(all, close), label);
  EXPECT_EQ(b.NextToDo(all, label), close);  // round to the start
  b.SetTranslation(close, "&Beenden");
  b.SetTranslation(label, "Kundenname:");
  EXPECT_EQ(b.NextToDo(all, label), std::nullopt);
}

TEST(Workbench, SuggestionsFromDictionariesAndOtherTexts) {
  TFixture f;
  TWorkbench& b = *f.Bench;
  b.AddDictionaryText("dict.txt",
                      "&Close\t&Schließen\n"
                      "&Closed\t&Geschlossen\r\n"
                      "Customer names:\tKundennamen:\n"
                      "&Close it\tSchließ es\n"
                      "no tab here\n"
                      "Empty\t\n");
  const size_t open = f.Index("Button2.Caption"), label = f.Index("Label1.Caption");
  // "&Close" against "&Open": "&", "e" ... below 75 %.
  EXPECT_TRUE(b.Suggestions(open).empty());
  // "Customer name:" (14) against "Customer names:" (15): 14 common, 28/29.
  auto s = b.Suggestions(label);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].Translation, "Kundennamen:");
  EXPECT_EQ(s[0].Percent, 96);
  EXPECT_EQ(s[0].Source, "dict.txt");

  // The stale text "&Close" is offered the dictionary's pairs, best first;
  // "&Close it" (6 common, 12/15) comes from 75 % but not from 81 %.
  const size_t close = f.Index("Button1.Caption");
  s = b.Suggestions(close);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].Translation, "&Schließen");
  EXPECT_EQ(s[0].Percent, 100);
  EXPECT_EQ(s[1].Translation, "&Geschlossen");
  EXPECT_EQ(s[1].Percent, 92);  // 12/13
  EXPECT_EQ(s[2].Translation, "Schließ es");
  EXPECT_EQ(s[2].Percent, 80);
  EXPECT_EQ(b.Suggestions(close, 81).size(), 2u);
  EXPECT_EQ(b.Suggestions(close, 0, 1).size(), 1u);

  // A translated text of the forms is offered too, by its path.
  b.SetTranslation(open, "Ö&ffnen");
  b.AddDictionaryText("more", "&Open it\t&Öffne es\n");
  s = b.Suggestions(close, 0);
  bool fromForm = false;
  for (const TSuggestion& x : s) fromForm |= x.Source == "Form1.Button2.Caption";
  EXPECT_TRUE(fromForm);
}

TEST(Workbench, SavesIntoTheTranslationFile) {
  TFixture f;
  TWorkbench& b = *f.Bench;
  b.SetTranslation(f.Index("Button2.Caption"), "Ö&ffnen");
  b.SetTranslation(f.Index("Button1.Caption"), "&Schließen");
  const auto written = b.Save();
  EXPECT_EQ(written, (std::vector<String>{f.TranslationFile}));
  EXPECT_FALSE(b.Modified());
  EXPECT_EQ(ReadFile(f.TranslationFile),
            "Form1.Button1.Caption%-1='&Close'\r\n"
            "Form1.Button1.Caption%7='&Schließen'\r\n"
            "Form1.Button2.Caption%-1='&Open'\r\n"
            "Form1.Button2.Caption%7='Ö&ffnen'\r\n"
            "Form1.Caption%-1='Orders'\r\n"
            "Form1.Caption%7='Bestellungen'\r\n");
  EXPECT_EQ(ReadFile(f.FormFile), kForm);
  // Nothing changed: nothing written; a second edit saves over the first.
  EXPECT_TRUE(b.Save().empty());
  b.SetTranslation(f.Index("Label1.Caption"), "Kundenname:");
  EXPECT_EQ(b.Save().size(), 1u);
  EXPECT_NE(ReadFile(f.TranslationFile).find("Form1.Label1.Caption%7='Kundenname:'"),
            String::npos);
}

TEST(Workbench, RefusesToOverwriteAFileChangedMeanwhile) {
  TFixture f;
  TWorkbench& b = *f.Bench;
  b.SetTranslation(f.Index("Button2.Caption"), "Ö&ffnen");
  const String other = String(kFile) + "Form1.Label1.Caption%7='Name:'\r\n";
  WriteFile(f.TranslationFile, other);
  EXPECT_THROW(b.Save(), EWorkbenchSaveError);
  EXPECT_EQ(ReadFile(f.TranslationFile), other);
  EXPECT_TRUE(b.Modified());

  // A file that was not there when read and is now is a change too.
  TFixture g(nullptr);
  g.Bench->SetTranslation(g.Index("Caption"), "Bestellungen");
  WriteFile(g.TranslationFile, "Form1.Caption%7='x'\r\n");
  EXPECT_THROW(g.Bench->Save(), EWorkbenchSaveError);
  EXPECT_EQ(ReadFile(g.TranslationFile), "Form1.Caption%7='x'\r\n");
}

TEST(Workbench, SavesAListKeptInTheForm) {
  TFixture f(nullptr, true);
  TWorkbench& b = *f.Bench;
  EXPECT_EQ(b.Progress().Translated, 0u);
  b.SetTranslation(f.Index("Caption"), "Bestellungen");
  EXPECT_EQ(b.Save(), (std::vector<String>{f.FormFile}));
  const String saved = ReadFile(f.FormFile);
  EXPECT_NE(saved.find("Bestellungen"), String::npos);
  EXPECT_NE(saved.find("object Glossmith1: TGlossmith"), String::npos);
  // The form's own texts stay the originals.
  EXPECT_NE(saved.find("Caption = 'Orders'"), String::npos);
  // A form changed meanwhile is not overwritten.
  b.SetTranslation(f.Index("Label1.Caption"), "Kundenname:");
  WriteFile(f.FormFile, kForm);
  EXPECT_THROW(b.Save(), EWorkbenchSaveError);
  EXPECT_EQ(ReadFile(f.FormFile), kForm);
}

TEST(Workbench, ANewTranslatorIsWrittenIntoTheFormAndItsListIntoTheSharedFile) {
  TempDir dir;
  const String formFile = dir.File("Form1.dfm"), file = dir.File("translations.txt");
  WriteFile(formFile, kForm);
  WriteFile(file, kFile);
  std::unique_ptr<TComponent> form(ReadFormFromString(kForm));
  auto* german = new TGlossmith(form.get());
  german->SetName("TranslatorDe");
  german->SetLocale(7);
  german->SetFileName(file);
  // What the German translator holds in memory differs from its file: a
  // form written with it must not save that into the file.
  TStringList stray;
  stray.Add("Button2.Caption='stray'");
  german->SetTranslations(&stray);
  auto* spanish = new TGlossmith(form.get());
  spanish->SetName("TranslatorEs");
  spanish->SetLocale(10);
  spanish->SetTranslate(false);
  spanish->SetFileName(file);
  TWorkbench b({{formFile, kForm, form.get(), spanish, true}});
  // Nothing to save yet: the form stays as it is.
  EXPECT_TRUE(b.Save().empty());
  EXPECT_EQ(ReadFile(formFile), kForm);

  size_t caption = 0;
  while (b.Text(caption).Path != "Caption") ++caption;
  b.SetTranslation(caption, "Pedidos");
  EXPECT_EQ(b.Save(), (std::vector<String>{file, formFile}));
  EXPECT_EQ(ReadFile(file),
            "Form1.Button1.Caption%-1='&Quit'\r\n"
            "Form1.Button1.Caption%7='&Beenden'\r\n"
            "Form1.Caption%-1='Orders'\r\n"
            "Form1.Caption%10='Pedidos'\r\n"
            "Form1.Caption%7='Bestellungen'\r\n");
  const String saved = ReadFile(formFile);
  EXPECT_NE(saved.find("object TranslatorEs: TGlossmith"), String::npos);
  EXPECT_EQ(saved.find("Pedidos"), String::npos);
  // Once written, the form is not written again for its translator.
  b.SetTranslation(caption, "Encargos");
  EXPECT_EQ(b.Save(), (std::vector<String>{file}));
}

TEST(Workbench, TextsOfAControlAndThePagesThatShowIt) {
  const char* const form =
      "object Form2: TForm\n"
      "  Caption = 'Options'\n"
      "  object PageControl1: TPageControl\n"
      "    ActivePage = TabSheet1\n"
      "    object TabSheet1: TTabSheet\n"
      "      Caption = 'General'\n"
      "    end\n"
      "    object TabSheet2: TTabSheet\n"
      "      Caption = 'Advanced'\n"
      "      object Check1: TCheckBox\n"
      "        Caption = 'Expert mode'\n"
      "        Hint = 'More settings'\n"
      "      end\n"
      "    end\n"
      "  end\n"
      "  object Notebook1: TTabbedNotebook\n"
      "    object TTabPage\n"
      "      Caption = 'First'\n"
      "    end\n"
      "    object TTabPage\n"
      "      Caption = 'Second'\n"
      "      object Label2: TLabel\n"
      "        Caption = 'Deep'\n"
      "      end\n"
      "    end\n"
      "  end\n"
      "end\n";
  std::unique_ptr<TComponent> root(ReadFormFromString(form));
  auto* translator = new TGlossmith(root.get());
  translator->SetName("Glossmith1");
  translator->SetTranslate(false);
  TWorkbench b({{"Form2.dfm", form, root.get(), translator}});
  auto index = [&](const String& path) {
    for (size_t i = 0; i < b.Texts().size(); ++i)
      if (b.Text(i).Path == path) return i;
    ADD_FAILURE() << "no text " << path;
    return size_t(0);
  };
  auto* check = root->FindComponent("Check1");
  ASSERT_NE(check, nullptr);
  std::vector<size_t> ofCheck{index("Check1.Caption"), index("Check1.Hint")};
  std::sort(ofCheck.begin(), ofCheck.end());  // in walk order
  EXPECT_EQ(b.TextsOf(check), ofCheck);
  const auto own = b.TextsOf(root.get());
  EXPECT_EQ(std::count(own.begin(), own.end(), index("Caption")), 1);
  EXPECT_EQ(std::count(own.begin(), own.end(), index("Check1.Caption")), 0);

  auto* pages = static_cast<TPageControl*>(root->FindComponent("PageControl1"));
  ASSERT_EQ(pages->ActivePage()->Name(), "TabSheet1");
  EXPECT_TRUE(b.ShowPlaceOf(index("Check1.Caption")));
  EXPECT_EQ(pages->ActivePage()->Name(), "TabSheet2");
  EXPECT_FALSE(b.ShowPlaceOf(index("Check1.Hint")));
  EXPECT_FALSE(b.ShowPlaceOf(index("Caption")));

  auto* notebook = static_cast<TTabbedNotebook*>(root->FindComponent("Notebook1"));
  ASSERT_EQ(notebook->PageIndex(), 0);
  EXPECT_TRUE(b.ShowPlaceOf(index("Label2.Caption")));
  EXPECT_EQ(notebook->PageIndex(), 1);
}

TEST(Workbench, TheFormShowsTheTranslationsAsTyped) {
  TFixture f(kFile);
  TWorkbench& b = *f.Bench;
  auto caption = [&](const char* name) {
    return static_cast<TControl*>(f.Form->FindComponent(name))->Caption();
  };
  auto* form = static_cast<TControl*>(f.Form.get());
  b.ShowTranslations(true);
  EXPECT_EQ(form->Caption(), "Bestellungen");
  EXPECT_EQ(caption("Button1"), "&Beenden");  // a stale translation shows too
  EXPECT_EQ(caption("Button2"), "&Open");     // untranslated: the original
  b.SetTranslation(f.Index("Button2.Caption"), "Ö&ffnen");
  EXPECT_EQ(caption("Button2"), "Ö&ffnen");
  EXPECT_EQ(form->Caption(), "Bestellungen");
  b.SetTranslation(f.Index("Button2.Caption"), "");
  EXPECT_EQ(caption("Button2"), "&Open");
  b.ShowTranslations(false);
  EXPECT_EQ(form->Caption(), "Orders");
  EXPECT_EQ(caption("Button1"), "&Close");
}

TEST(Workbench, SavingWhileShowingWritesTheFormAsRead) {
  TFixture f(nullptr, true);
  TWorkbench& b = *f.Bench;
  b.ShowTranslations(true);
  b.SetTranslation(f.Index("Caption"), "Bestellungen");
  EXPECT_EQ(static_cast<TControl*>(f.Form.get())->Caption(), "Bestellungen");
  b.Save();
  const String saved = ReadFile(f.FormFile);
  EXPECT_NE(saved.find("Caption = 'Orders'"), String::npos);
  // Only the form's own translator is written: none of the workbench's.
  size_t translators = 0;
  for (size_t at = saved.find(": TGlossmith"); at != String::npos;
       at = saved.find(": TGlossmith", at + 1))
    ++translators;
  EXPECT_EQ(translators, 1u);
  EXPECT_TRUE(b.ShowsTranslations());
  EXPECT_EQ(static_cast<TControl*>(f.Form.get())->Caption(), "Bestellungen");
  // The next save compares with what this one wrote.
  b.SetTranslation(f.Index("Label1.Caption"), "Kundenname:");
  EXPECT_EQ(b.Save().size(), 1u);
}
