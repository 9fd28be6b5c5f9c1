// Diagnostics as compilers print them and as JSON, read back.
#include "check/Diagnostics.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

// A reader of what DiagnosticsToJson writes: an array of flat objects of
// strings and integers. Fails the test on anything else.
class TJsonReader {
 public:
  explicit TJsonReader(std::string_view text) : FText(text) {}

  std::vector<std::map<String, String>> Array() {
    std::vector<std::map<String, String>> items;
    Expect('[');
    if (Peek() == ']') {
      ++FPos;
      return items;
    }
    for (;;) {
      items.push_back(Object());
      if (Peek() == ',') {
        ++FPos;
        continue;
      }
      Expect(']');
      return items;
    }
  }
  bool AtEnd() {
    Peek();
    return FPos == FText.size();
  }

 private:
  char Peek() {
    while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) ++FPos;
    return FPos < FText.size() ? FText[FPos] : '\0';
  }
  void Expect(char c) {
    if (Peek() != c) throw std::runtime_error(Format("expected %s at %u", {String(1, c), FPos}));
    ++FPos;
  }
  std::map<String, String> Object() {
    std::map<String, String> fields;
    Expect('{');
    for (;;) {
      const String key = Str();
      Expect(':');
      fields[key] = Peek() == '"' ? Str() : Number();
      if (Peek() == ',') {
        ++FPos;
        continue;
      }
      Expect('}');
      return fields;
    }
  }
  String Number() {
    const size_t start = FPos;
    while (FPos < FText.size() && (std::isdigit(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '-'))
      ++FPos;
    if (FPos == start) throw std::runtime_error("expected a number");
    return String(FText.substr(start, FPos - start));
  }
  String Str() {
    Expect('"');
    String out;
    while (FPos < FText.size() && FText[FPos] != '"') {
      const auto c = static_cast<unsigned char>(FText[FPos++]);
      if (c < 0x20) throw std::runtime_error("raw control character in a string");
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      const char e = FText[FPos++];
      if (e == 'u') {
        const int code = std::stoi(String(FText.substr(FPos, 4)), nullptr, 16);
        FPos += 4;
        if (code >= 0x80) throw std::runtime_error("unexpected escape");
        out += static_cast<char>(code);
      } else if (e == '"' || e == '\\' || e == '/') {
        out += e;
      } else {
        throw std::runtime_error("unknown escape");
      }
    }
    Expect('"');
    return out;
  }
  std::string_view FText;
  size_t FPos = 0;
};

TDiagnostic Sample() {
  TDiagnostic d;
  d.File = "translations.txt";
  d.Line = 17;
  d.Check = "truncation";
  d.Form = "MainForm";
  d.Locale = 12;
  d.Path = "LabelSearch.Caption";
  d.Original = "&Search:";
  d.Translation = "&Rechercher :";
  d.Message = "the text needs 60 pixels but has 48 up to EditSearch";
  return d;
}

TEST(Diagnostics, OneLineAsCompilersWriteThem) {
  EXPECT_EQ(FormatDiagnostic(Sample()),
            "translations.txt:17: warning: LabelSearch.Caption: the text needs 60 pixels but has "
            "48 up to EditSearch (original '&Search:', translation '&Rechercher :') [truncation]");
  TDiagnostic d = Sample();
  d.Severity = TSeverity::Error;
  d.Translation = "a\r\nb";
  d.Line = 0;
  EXPECT_EQ(FormatDiagnostic(d).substr(0, 24), "translations.txt: error:");
  EXPECT_NE(FormatDiagnostic(d).find("'a#13#10b'"), String::npos);
}

TEST(Diagnostics, JsonReadsBackFieldByField) {
  TDiagnostic odd = Sample();
  odd.Translation = "quote \" backslash \\ tab \t é \xFF end";
  odd.Severity = TSeverity::Error;
  const String json = DiagnosticsToJson({Sample(), odd});
  TJsonReader reader(json);
  const auto items = reader.Array();
  EXPECT_TRUE(reader.AtEnd());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].at("file"), "translations.txt");
  EXPECT_EQ(items[0].at("line"), "17");
  EXPECT_EQ(items[0].at("severity"), "warning");
  EXPECT_EQ(items[0].at("check"), "truncation");
  EXPECT_EQ(items[0].at("locale"), "12");
  EXPECT_EQ(items[0].at("path"), "LabelSearch.Caption");
  EXPECT_EQ(items[0].at("original"), "&Search:");
  EXPECT_EQ(items[0].at("translation"), "&Rechercher :");
  EXPECT_EQ(items[1].at("severity"), "error");
  // A byte that is no UTF-8 becomes U+FFFD; everything else comes back.
  EXPECT_EQ(items[1].at("translation"), "quote \" backslash \\ tab \t é \xEF\xBF\xBD end");
  const String none = DiagnosticsToJson({});
  TJsonReader empty(none);
  EXPECT_TRUE(empty.Array().empty());
}

TEST(Diagnostics, EveryCheckIsListedWithASentence) {
  for (const TCheckInfo& c : AllChecks()) {
    EXPECT_EQ(FindCheck(c.Name), &c);
    EXPECT_GT(std::strlen(c.Description), 20u) << c.Name;
  }
  EXPECT_EQ(FindCheck("nothing"), nullptr);
}

TEST(Diagnostics, SortedByFileAndLine) {
  std::vector<TDiagnostic> list(3, Sample());
  list[0].Line = 30;
  list[1].File = "a.txt";
  list[2].Line = 2;
  SortDiagnostics(list);
  EXPECT_EQ(list[0].File, "a.txt");
  EXPECT_EQ(list[1].Line, 2);
  EXPECT_EQ(list[2].Line, 30);
}

}  // namespace
