// The bulk merges of the translation file and the dictionary give exactly the
// lists that editing the list one line at a time gives. Each reference below
// edits a TSortList line by line, as the straightforward algorithm does.
#include <gtest/gtest.h>

#include <random>

#include "gls/FileMerge.h"
#include "gls/Gls.h"
#include "gls/StorageSupport.h"

using namespace glsstorage;

namespace {

String Joined(const TLineOverlay& lines) {
  String text;
  lines.ForEach([&text](std::string_view line) {
    text.append(line);
    text.append("\r\n");
  });
  return text;
}

String DecodedValue(const String& entry) {
  String value(After(entry, '=', MaxValueLength));
  TGlossmith::ConvertFromLiterals(value);
  return value;
}

// --- Line-by-line references ----------------------------------------------------

String ReferenceSave(const String& fileText, const String& formName, Integer locale,
                     const TStringList& translations, const std::vector<String>& originals) {
  TSortList work;
  work.SetText(fileText);
  for (int i = work.Count() - 1; i >= 0; --i) {
    String line = work.At(i);
    if (String(Before(line, '.')) != formName) continue;
    std::string_view key = Before(line, '=');
    size_t pct = key.find('%');
    Integer lineLocale = StrToInt(pct == String::npos ? key : key.substr(pct + 1, 255));
    if (lineLocale == locale || lineLocale == -1) work.Delete(i);
  }
  auto insert = [&](const String& entry, const String& localeText) {
    size_t eq = entry.find('=');
    if (eq == String::npos) return;
    work.SortInsert(
        formName + "." + entry.substr(0, eq) + "%" + localeText + "=" + entry.substr(eq + 1, 4095),
        nullptr);
  };
  for (int i = 0; i < translations.Count(); ++i) insert(translations.At(i), IntToStr(locale));
  for (const String& entry : originals) insert(entry, "-1");
  return work.Text();
}

void ReferenceLoad(const String& fileText, const String& formName, Integer locale,
                   TSortList& translations) {
  TStringList temp;
  temp.SetText(fileText);
  for (int i = 0; i < temp.Count(); ++i) {
    String line = temp.At(i);
    if (String(Before(line, '.')) != formName) continue;
    String rest(After(line, '.', 4095));
    std::string_view key = Before(rest, '=');
    size_t pct = key.find('%');
    if (StrToInt(pct == String::npos ? key : key.substr(pct + 1, 255)) != locale) continue;
    size_t restPct = rest.find('%');
    if (restPct != String::npos) rest.erase(restPct, IntToStr(locale).size() + 1);
    int index;
    if (FindEntry(translations, Before(rest, '='), index)) translations.Delete(index);
    translations.SortInsert(rest, nullptr);
  }
}

String ReferenceExport(const String& fileText, const std::vector<String>& collected,
                       const TStringList& translations) {
  TSortList current;
  for (const String& e : collected) current.SortInsert(e, nullptr);
  TStringList temp;
  temp.SetText(fileText);
  TSortList dictionary;
  for (int i = 0; i < temp.Count(); ++i) dictionary.SortInsert(temp.At(i), nullptr);
  for (int i = 0; i < translations.Count(); ++i) {
    const String& entry = translations.At(i);
    size_t eq = entry.find('=');
    if (eq == String::npos) continue;
    String key = entry.substr(0, eq + 1);
    int at = -1;
    current.SortFind(key, at);
    if (at >= current.Count() || !current.At(at).starts_with(key)) continue;
    String line = TGlossmith::WriteString(DecodedValue(current.At(at))) + "\t";
    int pos = -1;
    dictionary.SortFind(line, pos);
    bool replace = pos < dictionary.Count() && dictionary.At(pos).starts_with(line);
    const String translation = DecodedValue(entry);
    if (replace && translation.empty()) continue;
    line += TGlossmith::WriteString(translation);
    if (replace)
      dictionary.SetStrings(pos, line);
    else
      dictionary.InsertObject(pos, line, nullptr);
  }
  return dictionary.Text();
}

void ReferenceImport(const String& fileText, const std::vector<String>& collected,
                     TStringList& translations) {
  TSortList current;
  for (const String& e : collected) current.SortInsert(e, nullptr);
  std::vector<std::pair<String, int>> index;
  for (int i = 0; i < translations.Count(); ++i) {
    const String& entry = translations.At(i);
    size_t eq = entry.find('=');
    if (eq == String::npos) continue;
    String path = entry.substr(0, eq);
    int at = -1;
    current.SortFind(path, at);
    if (at >= current.Count() || !current.At(at).starts_with(path)) continue;
    index.emplace_back(DecodedValue(current.At(at)), i);
  }
  auto process = [&](const String& line) {
    size_t tab = line.find('\t');
    if (tab == String::npos) return;
    String translation = TGlossmith::ReadString(line.substr(tab + 1, 4095));
    String source = TGlossmith::ReadString(line.substr(0, tab));
    for (const auto& [original, i] : index) {
      if (original != source) continue;
      String entry = translations.At(i);
      size_t eq = entry.find('=');
      String value = translation;
      if (eq + 1 < entry.size() && (entry[eq + 1] == '\'' || entry[eq + 1] == '#'))
        TGlossmith::ConvertToLiterals(value);
      translations.SetStrings(i, entry.substr(0, eq + 1) + value);
    }
  };
  String line;
  for (char c : fileText) {
    if (c == '\r' || c == '\n') {
      process(line);
      line.clear();
    } else {
      line += c;
    }
  }
  process(line);
}

// --- Random content ---------------------------------------------------------------

class TRandomContent {
 public:
  explicit TRandomContent(unsigned seed) : FRandom(seed) {}

  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(FRandom); }
  bool Chance(int percent) { return static_cast<int>(Pick(100)) < percent; }

  String Path() {
    static const char* paths[] = {"Caption",
                                  "Button1.Caption",
                                  "Button10.Caption",
                                  "Button1.Font.Name",
                                  "ListBox1.Items[0]",
                                  "ListBox1.Items[10]",
                                  "Label1.Caption",
                                  "Label1.Width",
                                  "SystemMenuClose",
                                  "Edit1.Text",
                                  "Edit1",
                                  "Memo1.Lines[2]"};
    return paths[Pick(std::size(paths))];
  }
  String Value() {
    static const char* values[] = {
        "'&Close'", "'Fermer'", "75",        "clRed",  "''", "'a=b'", "'It''s'#13#10'done'",
        "'x%y'",    "True",     "#9'Total'", "'Close'"};
    return values[Pick(std::size(values))];
  }
  String Locale() {
    static const char* locales[] = {"-1", "7", "12", "07", "9", "-1", "7"};
    return locales[Pick(std::size(locales))];
  }
  String FormName() {
    static const char* forms[] = {"Form1", "Form2", "form1", "Form10", "Form1"};
    return forms[Pick(std::size(forms))];
  }
  // A line of a translation file; lines of other forms may be malformed.
  String FileLine(const String& ownForm) {
    String form = FormName();
    if (form != ownForm && Chance(10)) {
      static const char* junk[] = {"garbage",       "",  "Form2.Caption=no locale",
                                   "Form2.x%abc=1", "=", "Form2"};
      return junk[Pick(std::size(junk))];
    }
    return form + "." + Path() + "%" + Locale() + "=" + Value();
  }
  String TranslationFile(const String& ownForm, bool sorted) {
    std::vector<String> lines;
    size_t n = Pick(60);
    for (size_t i = 0; i < n; ++i) lines.push_back(FileLine(ownForm));
    if (sorted) std::sort(lines.begin(), lines.end());
    String text;
    static const char* ends[] = {"\r\n", "\n", "\r"};
    const char* end = ends[Pick(3)];
    for (const String& l : lines) text += l + end;
    if (Chance(20) && !text.empty()) text.resize(text.size() - std::strlen(end));
    return text;
  }
  void Entries(TSortList& list, size_t n) {
    for (size_t i = 0; i < n; ++i) list.SortInsert(Path() + "=" + Value(), nullptr);
  }

 private:
  std::mt19937 FRandom;
};

template <class F>
String Outcome(F&& f) {
  try {
    return f();
  } catch (const EConvertError&) {
    return "EConvertError";
  }
}

TEST(FileMergeTest, SavingMatchesLineByLineEditingOnRandomFiles) {
  TRandomContent rnd(20261208);
  for (int round = 0; round < 600; ++round) {
    const String form = round % 7 == 0 ? "Form2" : "Form1";
    const Integer locale = round % 11 == 0 ? -1 : (round % 2 ? 7 : 12);
    String fileText = rnd.TranslationFile(form, rnd.Chance(70));
    TSortList translations;
    rnd.Entries(translations, rnd.Pick(12));
    if (rnd.Chance(10)) translations.Add("no equals sign");
    std::vector<String> originals;
    for (size_t i = rnd.Pick(6); i > 0; --i) originals.push_back(rnd.Path() + "=" + rnd.Value());

    String expected =
        Outcome([&] { return ReferenceSave(fileText, form, locale, translations, originals); });
    String actual = Outcome([&] {
      TTextLines file;
      file.SetText(fileText);
      DropFormLines(file.Lines(), form, locale);
      return Joined(
          InsertFormLines(std::move(file.Lines()), form, locale, translations, originals));
    });
    ASSERT_EQ(expected, actual) << "round " << round << "\n" << fileText;
  }
}

TEST(FileMergeTest, LoadingMatchesLineByLineEditingOnRandomFiles) {
  TRandomContent rnd(7);
  for (int round = 0; round < 600; ++round) {
    const String form = round % 5 == 0 ? "Form2" : "Form1";
    const Integer locale = round % 13 == 0 ? -1 : 7;
    String fileText = rnd.TranslationFile(form, rnd.Chance(50));
    TSortList expected, actual;
    rnd.Entries(expected, rnd.Pick(8));
    actual.Assign(&expected);
    String e = Outcome([&] {
      ReferenceLoad(fileText, form, locale, expected);
      return String();
    });
    String a = Outcome([&] {
      MergeLoadedLines(fileText, form, locale, actual);
      return String();
    });
    ASSERT_EQ(e, a) << "round " << round;
    // Also after an error: the entries merged before the bad line stay merged.
    ASSERT_EQ(expected.Text(), actual.Text()) << "round " << round << "\n" << fileText;
  }
}

TEST(FileMergeTest, DictionaryMergesMatchLineByLineEditingOnRandomFiles) {
  TRandomContent rnd(99);
  static const char* texts[] = {"Close",     "close", "Close ", "C:\\new", "Line 1\nLine 2",
                                "Tab\there", "",      "&Open",  "Fermer"};
  auto text = [&] { return String(texts[rnd.Pick(std::size(texts))]); };
  for (int round = 0; round < 400; ++round) {
    std::vector<String> collected;
    TSortList translations;
    for (int i = 0; i < 6; ++i) {
      String path = "C" + IntToStr(static_cast<Int64>(rnd.Pick(5))) + ".Caption";
      String value = text();
      TGlossmith::ConvertToLiterals(value);
      collected.push_back(path + "=" + value);
      if (rnd.Chance(60)) {
        String translated = text();
        if (rnd.Chance(80)) TGlossmith::ConvertToLiterals(translated);
        translations.SortInsert(path + "=" + translated, nullptr);
      }
    }
    if (rnd.Chance(20)) translations.SortInsert("Width=75", nullptr);
    String fileText;
    for (size_t i = rnd.Pick(12); i > 0; --i)
      fileText += TGlossmith::WriteString(text()) + "\t" + TGlossmith::WriteString(text()) +
                  (rnd.Chance(50) ? "\r\n" : "\n");

    String expected = ReferenceExport(fileText, collected, translations);
    TTextLines file;
    file.SetText(fileText);
    std::vector<String> current = collected;
    std::sort(current.begin(), current.end());
    ASSERT_EQ(expected, Joined(MergeExportedLines(std::move(file.Lines()), current, translations)))
        << "round " << round;

    TSortList expectedList, actualList;
    expectedList.Assign(&translations);
    actualList.Assign(&translations);
    ReferenceImport(fileText, collected, expectedList);
    TDictionaryImport import(current, actualList);
    ForEachLine(fileText, [&](std::string_view line) { import.Line(line); });
    ASSERT_EQ(expectedList.Text(), actualList.Text()) << "round " << round;
  }
}

TEST(FileMergeTest, FindEntryExaminesOnlyTheInsertionPositionAndItsNeighbours) {
  TSortList list;
  for (const char* line :
       {"Button1.Caption='a'", "Button1.Caption.X=1", "Button1.Caption=b", "Edit1.Text=''"})
    list.SortInsert(line, nullptr);
  int index;
  EXPECT_TRUE(FindEntry(list, "Edit1.Text", index));
  EXPECT_EQ(list.At(index), "Edit1.Text=''");
  EXPECT_TRUE(FindEntry(list, "Button1.Caption", index));
  EXPECT_EQ(list.At(index), "Button1.Caption='a'");
  EXPECT_FALSE(FindEntry(list, "Button1", index));
  TSortList empty;
  EXPECT_FALSE(FindEntry(empty, "x", index));
  EXPECT_EQ(index, 0);
}

}  // namespace
