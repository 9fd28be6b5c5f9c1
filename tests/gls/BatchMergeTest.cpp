// Several translators' edits of one translation file or dictionary in memory
// give exactly what the single operations give one after the other, each
// reading what the one before it wrote; errors included.
#include <gtest/gtest.h>

#include <random>

#include "gls/BatchMerge.h"
#include "gls/FileMerge.h"
#include "gls/Gls.h"
#include "host/classes/TextLines.h"

using namespace glsstorage;

namespace {

template <class Lines>
String Joined(const Lines& lines) {
  String text;
  lines.ForEach([&text](std::string_view line) {
    text.append(line);
    text.append("\r\n");
  });
  return text;
}

// The file after the edits, or as it was when none succeeded, and the
// message of the error that ended them.
struct TOutcome {
  String Text;
  String Error;
  bool operator==(const TOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TOutcome& o) {
  return out << "error '" << o.Error << "'\n" << o.Text;
}

class TRandom {
 public:
  explicit TRandom(unsigned seed) : FRandom(seed) {}
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(FRandom); }
  bool Chance(int percent) { return static_cast<int>(Pick(100)) < percent; }
  template <size_t N>
  String Of(const char* const (&items)[N]) {
    return items[Pick(N)];
  }

 private:
  std::mt19937 FRandom;
};

// --- Translation file -------------------------------------------------------------

const char* const kForms[] = {"F", "F1", "F10", "F1a", "G", "A.B"};
const char* const kPaths[] = {"Caption",    "B1.Caption", "B10.Caption",
                              "L.Items[0]", "L.Width",    "Edit1"};
const char* const kValues[] = {"'Close'", "''", "75", "'a=b'", "'x%y'", "#9'T'", "'It''s'"};

struct TSaveCase {
  String Form;
  Integer Locale;
  TSortList Translations;
  std::vector<String> Originals;
  bool GatheringFails = false;
};

String RandomFile(TRandom& rnd, bool sorted) {
  const char* const locales[] = {"-1", "7", "12", "07", "-1"};
  std::vector<String> lines;
  for (size_t n = rnd.Pick(40); n > 0; --n) {
    if (rnd.Chance(8)) {
      lines.push_back(rnd.Of({"junk", "", "Other.x%abc=1", "=", "Zed"}));
    } else {
      String line =
          rnd.Of(kForms) + "." + rnd.Of(kPaths) + "%" + rnd.Of(locales) + "=" + rnd.Of(kValues);
      // Now and then a line of an edited form whose locale is no number.
      if (rnd.Chance(2)) line = rnd.Of(kForms) + ".X%seven=1";
      lines.push_back(line);
    }
  }
  if (sorted) std::sort(lines.begin(), lines.end());
  const char* end = rnd.Chance(50) ? "\r\n" : rnd.Chance(50) ? "\n" : "\r";
  String text;
  for (const String& line : lines) text += line + end;
  return text;
}

void FillSaveCase(TRandom& rnd, TSaveCase& c) {
  // Dotted form names and values with line breaks are rare.
  c.Form = rnd.Chance(5) ? "A.B" : rnd.Of({"F", "F1", "F10", "F1a", "G"});
  c.Locale = rnd.Chance(15) ? -1 : rnd.Chance(50) ? 7 : 12;
  for (size_t n = rnd.Pick(6); n > 0; --n) {
    String value = rnd.Chance(4) ? String("'two'\nlines") : rnd.Of(kValues);
    c.Translations.SortInsert(rnd.Of(kPaths) + "=" + value, nullptr);
  }
  if (rnd.Chance(5)) c.Translations.Add("no equals sign");
  for (size_t n = rnd.Pick(4); n > 0; --n)
    c.Originals.push_back(rnd.Of(kPaths) + "=" + rnd.Of(kValues));
  c.GatheringFails = rnd.Chance(3);
}

std::vector<String> Gather(const TSaveCase& c) {
  if (c.GatheringFails) throw EComponentError("the walk failed");
  return c.Originals;
}

TOutcome SavedOneByOne(const String& file, const std::vector<TSaveCase>& cases) {
  String text = file;
  for (const TSaveCase& c : cases) {
    try {
      TTextLines lines;
      lines.SetText(text);
      DropFormLines(lines.Lines(), c.Form, c.Locale);
      std::vector<String> originals = Gather(c);
      text = Joined(
          InsertFormLines(std::move(lines.Lines()), c.Form, c.Locale, c.Translations, originals));
    } catch (const Exception& e) {
      return {text, e.Message()};
    }
  }
  return {text, ""};
}

TOutcome SavedTogether(const String& file, const std::vector<TSaveCase>& cases) {
  TTranslationFileMerge merge(file);
  bool saved = false;
  for (const TSaveCase& c : cases) {
    try {
      merge.Edit(c.Form, c.Locale, c.Translations, [&c] { return Gather(c); });
      saved = true;
    } catch (const Exception& e) {
      return {saved ? Joined(merge) : file, e.Message()};
    }
  }
  return {saved ? Joined(merge) : file, ""};
}

TEST(BatchMergeTest, SavingSeveralTranslatorsMatchesSavingEachInTurn) {
  TRandom rnd(20261209);
  for (int round = 0; round < 1500; ++round) {
    const String file = RandomFile(rnd, rnd.Chance(75));
    std::vector<TSaveCase> cases(1 + rnd.Pick(6));
    for (TSaveCase& c : cases) FillSaveCase(rnd, c);
    ASSERT_EQ(SavedOneByOne(file, cases), SavedTogether(file, cases)) << "round " << round << "\n"
                                                                      << file;
  }
}

// --- Dictionary -------------------------------------------------------------------

const char* const kTexts[] = {"Close",     "close", "Close ", "C:\\new", "Line 1\nLine 2",
                              "Tab\there", "",      "&Open",  "Fermer"};

struct TExportCase {
  std::vector<String> Current;  // sorted
  TSortList Translations;
};

String RandomDictionary(TRandom& rnd) {
  String text;
  for (size_t n = rnd.Pick(14); n > 0; --n) {
    if (rnd.Chance(5)) {
      text += rnd.Of({"no tab at all", "", "a\tb\tc"});
    } else {
      // Empty translations make lines that are a bare key, now and then twice.
      text += TGlossmith::WriteString(rnd.Of(kTexts)) + "\t" +
              (rnd.Chance(30) ? String() : TGlossmith::WriteString(rnd.Of(kTexts)));
    }
    text += rnd.Chance(50) ? "\r\n" : "\n";
  }
  return text;
}

void FillExportCase(TRandom& rnd, TExportCase& c) {
  for (int i = 0; i < 5; ++i) {
    String path = "C" + IntToStr(i) + ".Caption";
    String value = rnd.Of(kTexts);
    TGlossmith::ConvertToLiterals(value);
    c.Current.push_back(path + "=" + value);
    if (rnd.Chance(60)) {
      String translated = rnd.Chance(25) ? String() : rnd.Of(kTexts);
      if (rnd.Chance(80)) TGlossmith::ConvertToLiterals(translated);
      c.Translations.SortInsert(path + "=" + translated, nullptr);
    }
  }
  std::sort(c.Current.begin(), c.Current.end());
  if (rnd.Chance(3)) c.Translations.SortInsert("C0.Caption=#x", nullptr);  // malformed literal
}

TOutcome ExportedOneByOne(const String& file, const std::vector<TExportCase>& cases) {
  String text = file;
  for (const TExportCase& c : cases) {
    try {
      TTextLines lines;
      lines.SetText(text);
      text = Joined(MergeExportedLines(std::move(lines.Lines()), c.Current, c.Translations));
    } catch (const Exception& e) {
      return {text, e.Message()};
    }
  }
  return {text, ""};
}

TOutcome ExportedTogether(const String& file, const std::vector<TExportCase>& cases) {
  TDictionaryMerge merge(file);
  bool exported = false;
  for (const TExportCase& c : cases) {
    try {
      merge.Export(c.Current, c.Translations);
      exported = true;
    } catch (const Exception& e) {
      return {exported ? Joined(merge) : file, e.Message()};
    }
  }
  return {exported ? Joined(merge) : file, ""};
}

TEST(BatchMergeTest, ExportingSeveralTranslatorsMatchesExportingEachInTurn) {
  TRandom rnd(4242);
  for (int round = 0; round < 1500; ++round) {
    String file = RandomDictionary(rnd);
    // Every third round a bare key stands twice, where the search may stop
    // at either line.
    if (round % 3 == 0) file += "Close\t\r\nClose\t\r\n";
    std::vector<TExportCase> cases(1 + rnd.Pick(5));
    for (TExportCase& c : cases) FillExportCase(rnd, c);
    ASSERT_EQ(ExportedOneByOne(file, cases), ExportedTogether(file, cases))
        << "round " << round << "\n"
        << file;
  }
}

}  // namespace
