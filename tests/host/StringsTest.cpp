#include <gtest/gtest.h>

#include "host/classes/Classes.h"
#include "host/classes/Streams.h"
#include "support/TestSupport.h"

namespace {

// A minimal descendant, so that the generic TStrings code paths are checked
// alongside TStringList's own faster ones.
class TPlainStrings : public TStrings {
 public:
  int Count() const override { return static_cast<int>(FLines.size()); }
  String Get(int index) const override { return FLines.at(static_cast<size_t>(index)); }
  void Insert(int index, const String& s) override { FLines.insert(FLines.begin() + index, s); }
  void Delete(int index) override { FLines.erase(FLines.begin() + index); }
  void Clear() override { FLines.clear(); }

 private:
  std::vector<String> FLines;
};

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> result;
  for (int i = 0; i < list.Count(); ++i) result.push_back(list.Strings(i));
  return result;
}

TObject* Tag(intptr_t n) { return reinterpret_cast<TObject*>(n); }

TEST(StringsTest, LoadFromFileSplitsAtCrLfAndCrLf) {
  struct Case {
    String Data;
    std::vector<String> Lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\n", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r", {"a"}},
      {"a\n\n", {"a", ""}},
      {"\r\n", {""}},
      {"\n\r", {"", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {String("x\0y\nz", 5), {String("x\0y", 3), "z"}},
      {"\xC3\xA9t\xC3\xA9\r\n\t tab ", {"\xC3\xA9t\xC3\xA9", "\t tab "}},
  };
  testsupport::TempDir dir;
  const String file = dir.File("lines.txt");
  for (const Case& c : cases) {
    testsupport::WriteFile(file, c.Data);
    TStringList list;
    list.Add("old line");
    list.LoadFromFile(file);
    EXPECT_EQ(Lines(list), c.Lines);
    TPlainStrings plain;
    plain.LoadFromFile(file);
    EXPECT_EQ(Lines(plain), c.Lines);
  }
  TStringList list;
  EXPECT_THROW(list.LoadFromFile(dir.File("missing.txt")), EFOpenError);
}

TEST(StringsTest, SaveToFileEndsEveryLineWithCrLfAndReadsBack) {
  testsupport::TempDir dir;
  const String file = dir.File("out.txt");
  TStringList list;
  list.SaveToFile(file);
  EXPECT_EQ(testsupport::ReadFile(file), "");
  for (const char* s : {"first", "", "l\xC3\xA4st"}) list.Add(s);
  list.SaveToFile(file);
  EXPECT_EQ(testsupport::ReadFile(file), "first\r\n\r\nl\xC3\xA4st\r\n");
  TPlainStrings back;
  back.LoadFromFile(file);
  EXPECT_EQ(Lines(back), Lines(list));
  EXPECT_EQ(back.Text(), list.Text());
}

TEST(StringsTest, IndexOfMatchesWholeTextIgnoringCase) {
  TStringList list;
  for (const char* s : {"Alpha", "beta", "Gamma", "BETA"}) list.Add(s);
  EXPECT_EQ(list.IndexOf("BETA"), 1);
  EXPECT_EQ(list.IndexOf("gamma"), 2);
  EXPECT_EQ(list.IndexOf("Gam"), -1);
  EXPECT_EQ(list.IndexOf("Gamma "), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
  list.SetSorted(true);
  EXPECT_EQ(list.Strings(list.IndexOf("ALPHA")), "Alpha");
  EXPECT_EQ(list.IndexOf("delta"), -1);
  TPlainStrings plain;
  plain.Add("x");
  plain.Add("Y");
  EXPECT_EQ(plain.IndexOf("y"), 1);
}

TEST(StringsTest, AssignCopiesLinesAndObjects) {
  TStringList source;
  source.AddObject("one", Tag(1));
  source.AddObject("two", Tag(2));
  TStringList target;
  target.Add("stale");
  target.Assign(&source);
  EXPECT_EQ(Lines(target), Lines(source));
  EXPECT_EQ(target.Objects(1), Tag(2));

  TPlainStrings plain;
  plain.Assign(&source);
  EXPECT_EQ(Lines(plain), Lines(source));
  TStringList fromPlain;
  fromPlain.Assign(&plain);
  EXPECT_EQ(Lines(fromPlain), Lines(source));
  EXPECT_EQ(fromPlain.Objects(0), nullptr);

  target.Assign(&target);
  EXPECT_EQ(target.Count(), 2);

  TStringList sorted;
  sorted.SetSorted(true);
  TStringList unsorted;
  for (const char* s : {"b", "A", "c"}) unsorted.Add(s);
  sorted.Assign(&unsorted);
  EXPECT_EQ(Lines(sorted), (std::vector<String>{"A", "b", "c"}));

  TCollection other(TCollectionItem::StaticClass());
  EXPECT_THROW(target.Assign(&other), EConvertError);
}

TEST(StringsTest, UpdatesNotifyOnceAtTheirEnds) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changed;
  };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1) << "no change reported inside an update";
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(changed, 2);

  testsupport::TempDir dir;
  testsupport::WriteFile(dir.File("f.txt"), "1\n2\n3\n");
  list.LoadFromFile(dir.File("f.txt"));
  EXPECT_EQ(changed, 3) << "a whole load is one change";
  list.Clear();
  list.Clear();
  EXPECT_EQ(changed, 4) << "clearing an empty list changes nothing";
}

TEST(StringsTest, SortedListsKeepCaseIgnoringOrder) {
  TStringList list;
  for (const char* s : {"delta", "Bravo", "alpha", "Charlie", "_x", "bravo"}) list.Add(s);
  list.SetSorted(true);
  EXPECT_EQ(Lines(list),
            (std::vector<String>{"_x", "alpha", "Bravo", "bravo", "Charlie", "delta"}));
  EXPECT_EQ(list.Add("BETA"), 2);
  EXPECT_EQ(list.Strings(2), "BETA");
  int index = -1;
  EXPECT_TRUE(list.Find("CHARLIE", index));
  EXPECT_EQ(index, 5);
  EXPECT_FALSE(list.Find("c", index));
  EXPECT_EQ(index, 5);
  // Punctuation before letters: a longer word comes after its bracketed form.
  list.Add("Captions[*]");
  list.Add("Caption[*]");
  list.Add("Caption");
  EXPECT_EQ(list.IndexOf("caption[*]"), 6);
  EXPECT_EQ(list.Strings(7), "Captions[*]");
  for (int i = 0; i < 3; ++i) list.Delete(5);
  EXPECT_THROW(list.Insert(0, "zulu"), EStringListError);
  EXPECT_THROW(list.Move(0, 2), EStringListError);
  EXPECT_EQ(list.Count(), 7) << "a refused move loses no line";
  EXPECT_THROW(list.Exchange(0, 2), EStringListError);
  EXPECT_EQ(list.Strings(0), "_x");
  EXPECT_THROW(list.SetStrings(0, "zulu"), EStringListError);
  EXPECT_THROW(list.Strings(99), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
}

TEST(StringsTest, LargeFilesLoadWhole) {
  String data;
  const int lines = 200000;
  for (int i = 0; i < lines; ++i) {
    data += "Form" + IntToStr(i % 97) + ".Button" + IntToStr(i) + ".Caption%7='x'";
    data += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r";
  }
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.File("big.txt"), data);
  TStringList list;
  list.LoadFromFile(dir.File("big.txt"));
  ASSERT_EQ(list.Count(), lines);
  EXPECT_EQ(list.Strings(lines - 1), "Form" + IntToStr((lines - 1) % 97) + ".Button" +
                                         IntToStr(lines - 1) + ".Caption%7='x'");
}

}  // namespace
