// Units built from forms and translators, brought back as changes; every
// corpus form through PO and XLIFF and back, checked by the peers.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "exchange/Exchange.h"
#include "exchange/Formats.h"
#include "exchange/Po.h"
#include "host/formfiles/FormFiles.h"
#include "support/ExchangeSupport.h"
#include "support/TestSupport.h"

using namespace Glossmith;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;
namespace fs = std::filesystem;

namespace {

const char* const kForm =
    "object Form1: TForm\n"
    "  Caption = 'Orders'\n"
    "  Width = 400\n"
    "  Font.Name = 'Tahoma'\n"
    "  Font.Size = 8\n"
    "  object Button1: TButton\n"
    "    Width = 75\n"
    "    Caption = '&Close'\n"
    "    Hint = 'Closes the window'\n"
    "  end\n"
    "  object Label1: TLabel\n"
    "    Caption = 'Name:'\n"
    "  end\n"
    "  object ListBox1: TListBox\n"
    "    Items.Strings = (\n"
    "      'One'\n"
    "      'Two'#13#10'lines')\n"
    "  end\n"
    "end\n";

struct TTestForm {
  std::unique_ptr<TComponent> Form;
  TGlossmith* Translator = nullptr;
};

TTestForm MakeForm(const String& text = kForm) {
  TTestForm f;
  f.Form.reset(ReadFormFromString(text));
  f.Translator = new TGlossmith(f.Form.get());
  f.Translator->SetLocale(7);
  f.Translator->SetTranslate(false);
  return f;
}

const TExchangeUnit* Find(const std::vector<TExchangeUnit>& units, const String& path) {
  for (const TExchangeUnit& u : units)
    if (u.Path == path) return &u;
  return nullptr;
}

// A translation of every text that keeps what the peers check: leading and
// trailing line feeds, and the accelerators.
String Translated(const String& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && s[begin] == '\n') ++begin;
  while (end > begin && s[end - 1] == '\n') --end;
  return s.substr(0, begin) + "Ü-" + s.substr(begin, end - begin) + " ß" + s.substr(end);
}

}  // namespace

TEST(ExchangeLanguages, TagsOfLocaleNumbers) {
  EXPECT_EQ(LanguageTagOf(7), "de");
  EXPECT_EQ(LanguageTagOf(12), "fr");
  EXPECT_EQ(LanguageTagOf(1031), "de-DE");
  EXPECT_EQ(LanguageTagOf(3084), "fr-CA");
  EXPECT_EQ(LanguageTagOf(0x0C07 + 0x1000 * 0), "de-AT");
  EXPECT_EQ(LanguageTagOf(0x1407), "de");  // a region the table lacks: the language
  EXPECT_EQ(LanguageTagOf(0), "");
  EXPECT_EQ(LanguageTagOf(-1), "");
  EXPECT_TRUE(SameLanguage("de_AT", 7));
  EXPECT_TRUE(SameLanguage("DE", 1031));
  EXPECT_FALSE(SameLanguage("fr", 7));
  EXPECT_TRUE(SameLanguage("no", 0x14));
  EXPECT_TRUE(SameLanguage("xx", 0));  // nothing known to contradict
}

TEST(ExchangeUnits, StatesOfTranslations) {
  TTestForm f = MakeForm();
  TStoredLines stored;
  stored.Translations["Caption"] = "'Bestellungen'";
  stored.Originals["Caption"] = "'Orders'";
  stored.Translations["Button1.Caption"] = "'&Schließen'";
  stored.Originals["Button1.Caption"] = "'&Quit'";  // the form now says &Close
  stored.Translations["Gone1.Caption"] = "'Weg'";
  stored.Originals["Gone1.Caption"] = "'Gone'";
  stored.Translations["Label1.Caption"] = "''";
  const std::vector<TExchangeUnit> units = BuildUnits(*f.Translator, &stored, {});

  const TExchangeUnit* caption = Find(units, "Caption");
  ASSERT_TRUE(caption);
  EXPECT_EQ(caption->State, TUnitState::Translated);
  EXPECT_EQ(caption->Context, "Form1.Caption");
  EXPECT_EQ(caption->Target, "Bestellungen");
  EXPECT_TRUE(caption->OnForm);

  const TExchangeUnit* button = Find(units, "Button1.Caption");
  ASSERT_TRUE(button);
  EXPECT_EQ(button->State, TUnitState::Stale);
  EXPECT_EQ(button->Source, "&Close");
  EXPECT_EQ(button->Previous, "&Quit");
  EXPECT_EQ(button->ClassName, "TButton");
  EXPECT_EQ(button->Width, 75);
  EXPECT_EQ(button->FontName, "Tahoma");  // the form's font, as the button shows it
  EXPECT_EQ(DescribeUnit(*button),
            (std::vector<String>{"TButton, Caption", "width 75 px, font Tahoma 8 pt"}));

  EXPECT_EQ(Find(units, "Label1.Caption")->State, TUnitState::Untranslated);
  EXPECT_EQ(Find(units, "Button1.Hint")->State, TUnitState::Untranslated);
  EXPECT_EQ(Find(units, "ListBox1.Items[1]")->Source, "Two\r\nlines");

  const TExchangeUnit* gone = Find(units, "Gone1.Caption");
  ASSERT_TRUE(gone);
  EXPECT_EQ(gone->State, TUnitState::Obsolete);
  EXPECT_EQ(gone->Source, "Gone");
  EXPECT_EQ(gone->Target, "Weg");

  // Names and values stay out unless asked for.
  EXPECT_FALSE(Find(units, "Button1.Name"));
  EXPECT_FALSE(Find(units, "Button1.Width"));
  EXPECT_FALSE(Find(units, "Font.Name"));
  TExchangeOptions values;
  values.Values = true;
  const std::vector<TExchangeUnit> all = BuildUnits(*f.Translator, &stored, values);
  ASSERT_TRUE(Find(all, "Button1.Width"));
  EXPECT_TRUE(Find(all, "Button1.Width")->IsValue);
  ASSERT_TRUE(Find(all, "Font.Name"));
  EXPECT_TRUE(Find(all, "Font.Name")->IsValue);
  EXPECT_EQ(Find(all, "Font.Name")->Source, "Tahoma");
  EXPECT_EQ(Find(all, "Button1.Width")->Source, "75");
  auto font = ChangeFor(*Find(all, "Font.Name"), "Tahoma", "Arial", &stored);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Value, "'Arial'");
}

TEST(ExchangeChanges, OnlyWhatChangedIsWritten) {
  TTestForm f = MakeForm();
  TStoredLines stored;
  stored.Translations["Caption"] = "'Bestellungen'";
  stored.Originals["Caption"] = "'Orders'";
  stored.Translations["Button1.Caption"] = "'&Schließen'";
  stored.Originals["Button1.Caption"] = "'&Quit'";
  const std::vector<TExchangeUnit> units = BuildUnits(*f.Translator, &stored, {});
  // The same translation of the same original: no change.
  EXPECT_FALSE(ChangeFor(*Find(units, "Caption"), "Orders", "Bestellungen", &stored));
  // A stale translation confirmed: the original moves on, the value stays.
  auto confirmed = ChangeFor(*Find(units, "Button1.Caption"), "&Close", "&Schließen", &stored);
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(confirmed->Value, "'&Schließen'");
  EXPECT_EQ(confirmed->Original, "'&Close'");
  // A new translation of a text with control characters, in literal form.
  auto item = ChangeFor(*Find(units, "ListBox1.Items[1]"), "Two\r\nlines", "Zwei\r\nZeilen",
                        &stored);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->Value, "'Zwei'#13#10'Zeilen'");

  const String file =
      "Form1.Button1.Caption%-1='&Quit'\r\n"
      "Form1.Button1.Caption%12='&Quitter'\r\n"
      "Form1.Button1.Caption%7='&Schließen'\r\n"
      "Form1.Caption%-1='Orders'\r\n"
      "Form1.Caption%7='Bestellungen'\r\n"
      "Form2.ListBox1.Items[1]%7='x'\r\n";
  EXPECT_EQ(MergeChanges(file, "Form1", 7, {*confirmed, *item}),
            "Form1.Button1.Caption%-1='&Close'\r\n"
            "Form1.Button1.Caption%12='&Quitter'\r\n"
            "Form1.Button1.Caption%7='&Schließen'\r\n"
            "Form1.Caption%-1='Orders'\r\n"
            "Form1.Caption%7='Bestellungen'\r\n"
            "Form1.ListBox1.Items[1]%-1='Two'#13#10'lines'\r\n"
            "Form1.ListBox1.Items[1]%7='Zwei'#13#10'Zeilen'\r\n"
            "Form2.ListBox1.Items[1]%7='x'\r\n");
  EXPECT_EQ(MergeChanges(file, "Form1", 7, {}), file);

  // A list kept in the form takes the entries in order.
  ApplyChanges(*f.Translator, {*item});
  ASSERT_EQ(f.Translator->Translations()->Count(), 1);
  EXPECT_EQ(f.Translator->Translations()->Get(0), "ListBox1.Items[1]='Zwei'#13#10'Zeilen'");
}

TEST(ExchangeChanges, MergedInPiecesAsWhole) {
  // A file of some megabytes goes to its writer in pieces: together they are
  // the file with the changed lines in place, whatever piece a line ends.
  String file;
  for (int i = 0; i < 60000; ++i) {
    String number = IntToStr(i);
    number.insert(0, 5 - number.size(), '0');
    const String path = "Form1.P" + number + ".Caption";
    file += path + "%-1='Text number " + IntToStr(i) + "'\r\n";
    file += path + "%7='Text Nummer " + IntToStr(i) + "'\r\n";
  }
  const std::vector<TFormChanges> changes{
      {"Form1", 7, {{"P30000.Caption", "'Neu'", "'Text number 30000'"},
                    {"P99999.Caption", "'Zuletzt'", "'Last'"}}}};
  std::vector<String> pieces;
  MergeChanges(file, changes, [&pieces](std::string_view piece) { pieces.emplace_back(piece); });
  EXPECT_GT(pieces.size(), 2u);
  String whole;
  for (const String& p : pieces) whole += p;
  String expected = file;
  const String old = "Form1.P30000.Caption%7='Text Nummer 30000'";
  expected.replace(expected.find(old), old.size(), "Form1.P30000.Caption%7='Neu'");
  expected += "Form1.P99999.Caption%-1='Last'\r\nForm1.P99999.Caption%7='Zuletzt'\r\n";
  EXPECT_EQ(whole, expected);
  EXPECT_EQ(MergeChanges(file, changes), expected);
}

TEST(ExchangeStoredLines, TakesAFormsLinesApartAsLoadingDoes) {
  const String file =
      "Form1.Caption%-1='Orders'\r\n"
      "Form1.Caption%7='Bestellungen'\n"
      "Form1.Caption%7='Later wins'\r"
      "Form10.Caption%7='other form'\r\n"
      "Form1.Edit1.Text%12='fr'\r\n"
      "Form1.Label1.Caption%7='a=b'\r\n";
  TStoredLines lines = ReadStoredLines(file, "Form1", 7);
  EXPECT_EQ(lines.Originals.size(), 1u);
  EXPECT_EQ(lines.Translations["Caption"], "'Later wins'");
  EXPECT_EQ(lines.Translations["Label1.Caption"], "'a=b'");
  EXPECT_EQ(lines.Translations.count("Edit1.Text"), 0u);
}

namespace {

// Brings the entries of a catalog into the translator as the import does.
std::vector<TChange> Changes(const std::vector<TExchangeUnit>& units,
                             const TIncomingCatalog& in) {
  std::map<String, const TExchangeUnit*> byContext;
  for (const TExchangeUnit& u : units) byContext[u.Context] = &u;
  std::vector<TChange> changes;
  for (const TIncoming& e : in.Entries) {
    auto it = byContext.find(e.Context);
    if (it == byContext.end()) {
      ADD_FAILURE() << "unknown context " << e.Context;
      continue;
    }
    if (auto c = ChangeFor(*it->second, e.Source, e.Target, nullptr))
      changes.push_back(*c);
  }
  return changes;
}

// Checks that the form shows `expected` (path -> plain text) once translated.
void ExpectTranslated(TTestForm& f, const std::vector<TExchangeUnit>& units,
                      const std::map<String, String>& expected) {
  // The entries, exactly.
  for (const TExchangeUnit& u : units) {
    int index;
    auto* list = dynamic_cast<TStringList*>(f.Translator->Translations());
    ASSERT_TRUE(list);
    String literal = expected.at(u.Path);
    TGlossmith::ConvertToLiterals(literal);
    bool found = false;
    for (index = 0; index < list->Count(); ++index)
      if (list->Get(index) == u.Path + "=" + literal) found = true;
    EXPECT_TRUE(found) << u.Path;
  }
  f.Translator->SetTranslate(true);
  // A second translator's collecting walk reads what the form now shows.
  auto* reader = new TGlossmith(f.Form.get());
  TStringList shown;
  reader->TranslateForm(&shown, true);
  std::map<String, String> now;
  for (const auto& item : shown.Items()) {
    const size_t eq = item.Str.find('=');
    now[item.Str.substr(0, eq)] = item.Str.substr(eq + 1);
  }
  for (const TExchangeUnit& u : units) {
    // A combo box's text follows its item index as the host sets it.
    if (u.ClassName.find("ComboBox") != String::npos && u.Property == "Text") continue;
    const String& path = u.Path;
    const String& text = expected.at(path);
    String value = now[path];
    TGlossmith::ConvertFromLiterals(value);
    EXPECT_EQ(value, text.substr(0, MaxAppliedValueLength)) << path;
  }
  delete reader;
}

}  // namespace

TEST(ExchangeCorpus, EveryFormSurvivesPoAndXliff) {
  GLS_REQUIRE_CORPUS(corpus);
  const bool msgcat = exchangetest::HasProgram("msgcat");
  const bool msgfmt = exchangetest::HasProgram("msgfmt");
  const bool xmllint = exchangetest::HasProgram("xmllint") && !exchangetest::XliffSchema().empty();
  const bool xliff2po = exchangetest::HasProgram("xliff2po");
  const bool pofilter = exchangetest::HasProgram("pofilter");
  TempDir dir;
  fs::create_directory(dir.Path() / "po");
  fs::create_directory(dir.Path() / "xlf");
  int forms = 0;
  std::map<String, std::set<std::pair<String, String>>> pairs;  // xlf name -> (source, target)
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    const String name = entry.path().filename().string();
    if (!name.ends_with(".dfm") && !name.ends_with(".lfm")) continue;
    SCOPED_TRACE(name);
    const String data = ReadFile(entry.path().string());
    for (int format = 0; format < 2; ++format) {
      TTestForm f;
      try {
        f = MakeForm(data);
      } catch (const Exception& e) {
        ADD_FAILURE() << "cannot read: " << e.Message();
        break;
      }
      const std::vector<TExchangeUnit> current = BuildUnits(*f.Translator, nullptr, {});
      std::vector<TExchangeUnit> units = current;
      std::map<String, String> expected;
      for (TExchangeUnit& u : units) {
        u.Target = Translated(u.Source);
        u.State = TUnitState::Translated;
        expected[u.Path] = u.Target;
      }
      // msgcat writes nothing for a catalog without entries.
      if (units.empty()) break;
      const std::vector<TFormUnits> catalog{{name, "Form", units}};
      TIncomingCatalog in;
      if (format == 0) {
        String po;
        try {
          po = WritePoCatalog(catalog, {7, "Glossmith test"});
        } catch (const EConvertError& e) {
          // A form whose texts are in another code page cannot be exported.
          EXPECT_NE(e.Message().find("not valid UTF-8"), String::npos) << e.Message();
          continue;
        }
        WriteFile((dir.Path() / "po" / (name + ".po")).string(), po);
        in = ReadPoCatalog(po, name + ".po");
      } else {
        String xlf;
        try {
          xlf = WriteXliffCatalog(catalog, {7, "Glossmith test"}, name + ".xlf");
        } catch (const EXliffError& e) {
          // Only a text XML cannot hold is refused.
          EXPECT_TRUE(e.Message().find("control character") != String::npos ||
                      e.Message().find("not valid UTF-8") != String::npos)
              << e.Message();
          continue;
        }
        WriteFile((dir.Path() / "xlf" / (name + ".xlf")).string(), xlf);
        for (const TExchangeUnit& u : units) pairs[name].insert({u.Source, u.Target});
        in = ReadXliffCatalog(xlf, name + ".xlf");
      }
      EXPECT_EQ(in.Entries.size(), units.size());
      ApplyChanges(*f.Translator, Changes(current, in));
      ExpectTranslated(f, current, expected);
    }
    ++forms;
  }
  EXPECT_GT(forms, 50);

  const String po = (dir.Path() / "po").string(), xlf = (dir.Path() / "xlf").string();
  if (msgfmt) {
    EXPECT_EQ(exchangetest::Output("cd '" + po + "' && for f in *.po; do msgfmt -c "
                                   "--check-accelerators='&' -o /dev/null \"$f\" 2>&1 | "
                                   "grep -v 'header field' | grep . && echo \"in $f\"; done; true"),
              "");
  }
  if (msgcat) {
    EXPECT_EQ(exchangetest::Output("cd '" + po + "' && for f in *.po; do msgcat \"$f\" 2>/dev/null"
                                   " | cmp -s - \"$f\" || echo \"$f differs\"; done; true"),
              "");
  }
  if (pofilter) {
    int status = -1;
    const String out = exchangetest::Output(
        "pofilter --progress=none -i '" + po + "' -o '" + dir.File("filtered") + "'", &status);
    EXPECT_EQ(status, 0) << out;
  }
  if (xmllint) {
    EXPECT_EQ(exchangetest::Output("cd '" + xlf + "' && xmllint --noout --nonet --schema '" +
                                   exchangetest::XliffSchema() + "' *.xlf 2>&1 | grep -v ' validates$'; true"),
              "");
  }
  if (xliff2po) {
    int status = -1;
    const String out = exchangetest::Output("xliff2po --progress=none -i '" + xlf + "' -o '" +
                                                dir.File("back") + "'",
                                            &status);
    ASSERT_EQ(status, 0) << out;
    for (const auto& [name, expected] : pairs) {
      SCOPED_TRACE(name);
      TPoCatalog back = ReadPo(ReadFile(dir.File("back/" + name + ".po")), name);
      std::set<std::pair<String, String>> got;
      for (const TPoEntry& e : back.Entries)
        if (!e.IsHeader()) got.insert({e.Id, e.Str});
      EXPECT_EQ(got, expected);
    }
  }
  if (!msgcat || !msgfmt || !xmllint || !xliff2po || !pofilter)
    GTEST_SKIP() << "some peers are not installed (gettext, translate-toolkit, xmllint)";
}
