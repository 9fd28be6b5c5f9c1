#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "host/rtl/SysUtils.h"
#include "support/TestSupport.h"

namespace {

String ConvertErrorOf(void (*f)(std::string_view), std::string_view s) {
  try {
    f(s);
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "<no error>";
}

TEST(SysUtilsTest, FormatDirectivesWidthAndPrecision) {
  EXPECT_EQ(Format("%s=%d", {"Width", 75}), "Width=75");
  EXPECT_EQ(Format("[%5s|%-5s]", {"ab", "cd"}), "[   ab|cd   ]");
  EXPECT_EQ(Format("[%4d|%-4d|%.3d]", {7, -7, 5}), "[   7|-7  |005]");
  EXPECT_EQ(Format("%.3d", {-5}), "-005");
  EXPECT_EQ(Format("%x %.8x %x", {255, 0xC0, -1}), "FF 000000C0 FFFFFFFF");
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
  EXPECT_EQ(Format("%.2s|100%%", {"abcdef"}), "ab|100%");
  EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
  EXPECT_EQ(Format("%s", {String("a\0b", 3)}), String("a\0b", 3));
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
  EXPECT_THROW(Format("%q", {1}), EConvertError);
  EXPECT_THROW(Format("100%", {}), EConvertError);
  EXPECT_THROW(Format("%999999999s", {"x"}), EConvertError);
}

TEST(SysUtilsTest, IntToStrAndStrToIntFollowTheClassicSyntax) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  struct Case {
    const char* Text;
    Integer Value;
  } good[] = {{"0", 0},
              {"42", 42},
              {"  -13", -13},
              {"+7", 7},
              {"$ff", 255},
              {"$7FFFFFFF", INT32_MAX},
              {"-$10", -16},
              {"2147483647", INT32_MAX},
              {"-2147483648", INT32_MIN},
              {"$FFFFFFFF", -1},
              {"$FF00000F", static_cast<Integer>(0xFF00000Fu)},
              {"007", 7}};
  for (const Case& c : good) EXPECT_EQ(StrToInt(c.Text), c.Value) << c.Text;

  for (const char* bad : {"", " ", "-", "+", "$", "12a", "1 ", "1.5", "0x10", "--1", "- 1",
                          "2147483648", "-2147483649", "$100000000", "99999999999999999999"}) {
    EXPECT_EQ(ConvertErrorOf([](std::string_view s) { StrToInt(s); }, bad),
              "'" + String(bad) + "' is not a valid integer value");
  }
  EXPECT_EQ(StrToIntDef("x", -5), -5);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(SysUtilsTest, FloatToStrIsShortestClassicTextAndReadsBack) {
  struct Case {
    double Value;
    const char* Text;
  } cases[] = {{0.0, "0"},
               {-0.0, "0"},
               {1.5, "1.5"},
               {-2.25, "-2.25"},
               {100, "100"},
               {1e6, "1000000"},
               {0.1, "0.1"},
               {0.0001, "0.0001"},
               {1e-5, "1E-5"},
               {1.5e-7, "1.5E-7"},
               {1e20, "1E20"},
               {1e15, "1E15"},
               {1e14, "100000000000000"},
               {123.456, "123.456"},
               {0.1 + 0.2, "0.30000000000000004"}};
  for (const Case& c : cases) {
    EXPECT_EQ(FloatToStr(c.Value), c.Text);
    EXPECT_EQ(StrToFloat(c.Text), c.Value) << c.Text;
  }
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_TRUE(std::isinf(StrToFloat("-INF")));
  EXPECT_TRUE(std::isnan(StrToFloat(FloatToStr(std::nan("")))));

  std::mt19937_64 rng(99);
  for (int i = 0; i < 10000; ++i) {
    uint64_t bits = rng();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d)) continue;
    const String text = FloatToStr(d);
    ASSERT_EQ(StrToFloat(text), d) << text;
    ASSERT_EQ(text.find_first_of(",e+"), String::npos) << text;
  }
}

TEST(SysUtilsTest, StrToFloatRejectsBadTextTheEmptyTextIncluded) {
  EXPECT_EQ(StrToFloat(" 2.5 "), 2.5);
  EXPECT_EQ(StrToFloat("+.5"), 0.5);
  EXPECT_EQ(StrToFloat("-1E3"), -1000);
  for (const char* bad : {"", " ", "1,5", "abc", "1e", "+-1", "--1", "1..2", "infinity", "nan(1)",
                          "0x1p3", "1e999", "."}) {
    EXPECT_EQ(ConvertErrorOf([](std::string_view s) { StrToFloat(s); }, bad),
              "'" + String(bad) + "' is not a valid floating point value");
  }
}

TEST(SysUtilsTest, FilePathsAndExistence) {
  EXPECT_EQ(ExtractFilePath("/usr/lib/x.txt"), "/usr/lib/");
  EXPECT_EQ(ExtractFilePath("C:\\Forms\\main.dfm"), "C:\\Forms\\");
  EXPECT_EQ(ExtractFilePath("dir/sub\\file"), "dir/sub\\");
  EXPECT_EQ(ExtractFilePath("file.txt"), "");
  EXPECT_EQ(ExtractFilePath(""), "");
  EXPECT_EQ(ExtractFileName("a/b\\c.txt"), "c.txt");
  EXPECT_EQ(ExtractFileExt("a.b/c"), "");
  EXPECT_EQ(ExtractFileExt("dir/x.tar.gz"), ".gz");

  testsupport::TempDir dir;
  const String file = dir.File("a.txt");
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(file));
  testsupport::WriteFile(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.Path().string())) << "a folder is not a file";
  EXPECT_TRUE(DirectoryExists(dir.Path().string()));
}

TEST(SysUtilsTest, Utf8CharactersAreOnlyWholeValidSequences) {
  uint32_t code = 0;
  EXPECT_EQ(Utf8CharLength("a", 0, code), 1u);
  EXPECT_EQ(Utf8CharLength("\xC3\xA9", 0, code), 2u);
  EXPECT_EQ(code, 0xE9u);
  EXPECT_EQ(Utf8CharLength("x\xE2\x82\xAC", 1, code), 3u);
  EXPECT_EQ(code, 0x20ACu);
  EXPECT_EQ(Utf8CharLength("\xF0\x9F\x98\x80", 0, code), 4u);
  EXPECT_EQ(code, 0x1F600u);
  for (const char* bad : {"\xA9", "\xC0\x80", "\xC3", "\xE2\x82", "\xE0\x80\x80", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xC3("})
    EXPECT_EQ(Utf8CharLength(bad, 0), 0u) << bad;
  EXPECT_EQ(Utf8CharLength("", 0), 0u);
  // Identifiers: any such character counts as a letter, digits not first.
  EXPECT_TRUE(IsValidIdent("_Кнопка1"));
  EXPECT_TRUE(IsValidIdent("\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidIdent("1Кнопка"));
  EXPECT_FALSE(IsValidIdent("Кно\xD0"));
  EXPECT_FALSE(IsValidIdent(""));
}

TEST(SysUtilsTest, CaseIgnoringComparisonTouchesOnlyAsciiLetters) {
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("a", "B"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_LT(CompareText("z", "\xC3\xA9"), 0);
  EXPECT_FALSE(SameText("\xC3\xA9", "\xC3\x89"));
  EXPECT_EQ(UpperCase("a\xC3\xA9z"), "A\xC3\xA9Z");
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
}

TEST(SysUtilsTest, ListOrderPutsSymbolsBeforeDigitsBeforeLettersAndKeepsWordsTogether) {
  const std::vector<String> ordered = {
      "",      " x",   "!",      "[a]",   "_x",    "~",       "0",          "10",
      "9",     "a",    "a_b",    "A-b",   "ab",    "Caption", "Caption[*]", "Captions[*]",
      "co-op", "coop", "co-ops", "Coops", "don't", "dont",    "z",          "\xC3\xA9"};
  for (size_t i = 0; i < ordered.size(); ++i)
    for (size_t j = 0; j < ordered.size(); ++j) {
      const int c = AnsiCompareText(ordered[i], ordered[j]);
      const int expected = i < j ? -1 : i > j ? 1 : 0;
      EXPECT_EQ(c < 0 ? -1 : c > 0 ? 1 : 0, expected) << ordered[i] << " vs " << ordered[j];
    }
  // Equal exactly when the texts are equal with case ignored.
  EXPECT_EQ(AnsiCompareText("Caption[*]", "CAPTION[*]"), 0);
  EXPECT_TRUE(AnsiSameText("co-OP", "CO-op"));
  EXPECT_NE(AnsiCompareText("co-op", "coop"), 0);
  EXPECT_NE(AnsiCompareText("\xC3\xA9", "\xC3\x89"), 0);
}

}  // namespace
