#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "gls/Gls.h"

namespace {

String Encode(String s) {
  TGlossmith::ConvertToLiterals(s);
  return s;
}

String Decode(String s) {
  TGlossmith::ConvertFromLiterals(s);
  return s;
}

TEST(LiteralsTest, EncodingOfTypicalTextsAndBack) {
  struct Case {
    String Plain;
    String Literal;
  } cases[] = {
      {"", "''"},
      {"abc", "'abc'"},
      {"'", "''''"},
      {"\tTotal", "#9'Total'"},
      {"abc\n", "'abc'#10"},
      {"\r\n", "#13#10"},
      {String("x\0y", 3), "'x'#0'y'"},
      {"\x01"
       "2",
       "#1'2'"},
      {"It's\r\ndone", "'It''s'#13#10'done'"},
      {"a\x1f\x7f\x80\xff", "'a'#31'\x7f\x80\xff'"},
      {"#1 '", "'#1 '''"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Encode(c.Plain), c.Literal);
    EXPECT_EQ(Decode(c.Literal), c.Plain) << c.Literal;
  }
}

TEST(LiteralsTest, DecodingTakesAtMostThreeDigitsModulo256) {
  EXPECT_EQ(Decode("#65#66"), "AB");
  EXPECT_EQ(Decode("#300"), ",");
  EXPECT_EQ(Decode("#0065"),
            "\x06"
            "5");
  EXPECT_EQ(Decode("#256"), String(1, '\0'));
  // A produced quote or "#" is not read again.
  EXPECT_EQ(Decode("#39#35'x'"), "'#x");
  EXPECT_EQ(Decode("#35'65'"), "#65");
}

TEST(LiteralsTest, DecodingIsLenientOutsideQuotesAndAtTheEnd) {
  EXPECT_EQ(Decode("'#65'"), "#65");
  EXPECT_EQ(Decode("ab'cd'ef"), "abcdef");
  EXPECT_EQ(Decode("'abc"), "abc");
  EXPECT_EQ(Decode("'ab''"), "ab'");
  EXPECT_EQ(Decode("plain text"), "plain text");
  EXPECT_EQ(Decode(""), "");
  EXPECT_EQ(Decode("'a''"), "a'");
}

TEST(LiteralsTest, HashWithoutDigitFailsLikeStrToIntOfTheEmptyText) {
  String expected;
  try {
    StrToInt("");
  } catch (const EConvertError& e) {
    expected = e.Message();
  }
  ASSERT_FALSE(expected.empty());
  for (const char* bad : {"#", "#x5", "'a'#", "'a'#'b'", "# 5"}) {
    String s = bad;
    try {
      TGlossmith::ConvertFromLiterals(s);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), expected) << bad;
    }
  }
}

TEST(LiteralsTest, RandomBytesSurviveEncodingAndDecoding) {
  std::mt19937 rng(4711);
  for (int round = 0; round < 2000; ++round) {
    String plain(rng() % 64, '\0');
    // Mostly control characters and quotes in some rounds, any byte in others.
    const bool dense = round % 2 == 0;
    for (char& c : plain) {
      unsigned v = rng() % 256;
      if (dense && v % 3 == 0) v = (v % 2) ? '\'' : v % 32;
      c = static_cast<char>(v);
    }
    const String literal = Encode(plain);
    for (char c : literal) ASSERT_GE(static_cast<unsigned char>(c), 32) << "control char leaked";
    ASSERT_TRUE(literal[0] == '\'' || literal[0] == '#');
    ASSERT_EQ(Decode(literal), plain);
  }
}

// Both directions build their result in one pass; a quadratic in-place edit
// would take minutes on this text.
TEST(LiteralsTest, LongTextOfAlternatingControlCharactersIsLinear) {
  String plain(4 << 20, 'a');
  for (size_t i = 1; i < plain.size(); i += 2) plain[i] = '\r';
  const auto start = std::chrono::steady_clock::now();
  String literal = Encode(plain);
  EXPECT_EQ(Decode(literal), plain);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(10));
}

}  // namespace
