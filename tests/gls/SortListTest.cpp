#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "gls/SortList.h"

namespace {

TObject* Tag(intptr_t n) { return reinterpret_cast<TObject*>(n); }
intptr_t TagOf(const TStrings& list, int i) { return reinterpret_cast<intptr_t>(list.Objects(i)); }

TEST(SortListTest, SortFindGivesThePositionOfAnEqualLineOrWhereItWouldGo) {
  TSortList empty;
  int index = -1;
  EXPECT_FALSE(empty.SortFind("x", index));
  EXPECT_EQ(index, 0);

  TSortList list;
  list.Add("a");
  list.Add("c");
  struct Case {
    const char* S;
    bool Found;
    int Index;
  } cases[] = {{"", false, 0}, {"a", true, 0},  {"b", false, 1},
               {"c", true, 1}, {"d", false, 2}, {"a0", false, 1}};
  for (const Case& c : cases) {
    index = -1;
    EXPECT_EQ(list.SortFind(c.S, index), c.Found) << c.S;
    EXPECT_EQ(index, c.Index) << c.S;
  }
}

TEST(SortListTest, SortFindWithAnotherIndexOnEntryGivesTheObjectOfTheLastProbe) {
  TSortList list;
  list.AddObject("a", Tag(10));
  list.AddObject("c", Tag(30));
  list.AddObject("e", Tag(50));
  int index = 0;
  EXPECT_TRUE(list.SortFind("c", index));
  EXPECT_EQ(index, 30);
  // "f" probes c, then e, and does not step past the end in this form.
  index = 7;
  EXPECT_FALSE(list.SortFind("f", index));
  EXPECT_EQ(index, 50);
  index = 7;
  EXPECT_FALSE(list.SortFind("0", index));
  EXPECT_EQ(index, 10);
  // On an empty list the position form applies whatever came in.
  TSortList empty;
  index = 5;
  EXPECT_FALSE(empty.SortFind("a", index));
  EXPECT_EQ(index, 0);
}

TEST(SortListTest, OrderIsUnsignedByteWiseAndCaseSensitive) {
  TSortList list;
  for (const char* s : {"b", "a", "B", "\xC3\xA9t\xC3\xA9", "ab", "A", "_", "a=1", "a.b", ""})
    list.SortInsert(s, nullptr);
  std::vector<String> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.At(i));
  EXPECT_EQ(lines, (std::vector<String>{"", "A", "B", "_", "a", "a.b", "a=1", "ab", "b",
                                        "\xC3\xA9t\xC3\xA9"}));
  EXPECT_FALSE(list.Sorted());
}

TEST(SortListTest, SortInsertPutsANewEqualLineInFrontOfTheOneFound) {
  TSortList list;
  list.SortInsert("k", Tag(1));
  list.SortInsert("k", Tag(2));
  list.SortInsert("j", Tag(3));
  list.SortInsert("l", Tag(4));
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.At(0), "j");
  EXPECT_EQ(TagOf(list, 1), 2);
  EXPECT_EQ(TagOf(list, 2), 1);
  EXPECT_EQ(list.At(3), "l");
}

// Random insertions, many of them equal, against a reference sorted with the
// byte order: the lines always match, and a line equal to an existing one
// lands directly in front of an equal line.
TEST(SortListTest, RandomSortInsertSequencesMatchAReferenceSort) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 50; ++round) {
    TSortList list;
    std::vector<String> reference;
    const int n = static_cast<int>(rng() % 300);
    for (int k = 0; k < n; ++k) {
      String s;
      const size_t len = rng() % 4;
      for (size_t j = 0; j < len; ++j) {
        static const char alphabet[] = {'a', 'B', 'b', '=', '.', '\x80', '\xff', '\0'};
        s += alphabet[rng() % sizeof alphabet];
      }
      const bool hadEqual = std::find(reference.begin(), reference.end(), s) != reference.end();
      list.SortInsert(s, Tag(k + 1));
      reference.push_back(s);

      const int at = list.IndexOfObject(Tag(k + 1));
      ASSERT_GE(at, 0);
      ASSERT_EQ(list.At(at), s);
      if (hadEqual) {
        ASSERT_LT(at + 1, list.Count());
        EXPECT_EQ(list.At(at + 1), s) << "an equal line must stay behind the new one";
      }
    }
    std::stable_sort(reference.begin(), reference.end(),
                     [](const String& a, const String& b) { return CompareBytes(a, b) < 0; });
    ASSERT_EQ(list.Count(), static_cast<int>(reference.size()));
    for (int i = 0; i < list.Count(); ++i) ASSERT_EQ(list.At(i), reference[static_cast<size_t>(i)]);
  }
}

}  // namespace
