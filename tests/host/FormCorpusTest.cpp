// Every real form file of the shared corpus reads, and written and read again
// gives the same components, classes, property values and order.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/FormDump.h"
#include "host/formfiles/FormFiles.h"
#include "host/formfiles/FormText.h"
#include "host/classes/Generic.h"
#include "support/TestSupport.h"

namespace {

// The first line where two dumps differ, with its neighbours, or empty.
String FirstDifference(const String& a, const String& b) {
  size_t i = 0, line = 1, start = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) {
    if (a[i] == '\n') {
      ++line;
      start = i + 1;
    }
    ++i;
  }
  if (i == a.size() && i == b.size()) return String();
  return "line " + IntToStr(static_cast<Int64>(line)) + ":\n< " + a.substr(start, 300) + "\n> " +
         b.substr(start, 300);
}

std::vector<std::filesystem::path> CorpusFiles(const String& dir, bool binary) {
  std::vector<std::filesystem::path> files;
  std::filesystem::path root =
      binary ? std::filesystem::path(dir) / "binary" : std::filesystem::path(dir);
  for (const auto& e : std::filesystem::directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    String ext = LowerCase(e.path().extension().string());
    if (ext == ".dfm" || ext == ".lfm") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FormCorpusTest, EveryTextFormRoundTripsThroughTheHost) {
  GLS_REQUIRE_CORPUS(dir);
  auto files = CorpusFiles(dir, false);
  ASSERT_GE(files.size(), 70u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    String data = testsupport::ReadFile(file.string());
    std::unique_ptr<TComponent> form;
    ASSERT_NO_THROW(form.reset(ReadFormFromString(data)));
    String dump = testsupport::DumpForm(form.get());
    String text = WriteFormToString(form.get());
    std::unique_ptr<TComponent> again(ReadFormFromString(text));
    EXPECT_EQ(FirstDifference(testsupport::DumpForm(again.get()), dump), "");
    // What the host writes, it writes again byte for byte.
    EXPECT_EQ(FirstDifference(WriteFormToString(again.get()), text), "");
    // And the binary format carries the same form.
    std::unique_ptr<TComponent> fromBinary(
        ReadFormFromString(WriteFormToString(form.get(), TFormFormat::Binary)));
    EXPECT_EQ(FirstDifference(testsupport::DumpForm(fromBinary.get()), dump), "");
  }
}

TEST(FormCorpusTest, BinaryFormsReadLikeTheirTextForm) {
  GLS_REQUIRE_CORPUS(dir);
  auto files = CorpusFiles(dir, true);
  ASSERT_EQ(files.size(), 6u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    String data = testsupport::ReadFile(file.string());
    std::unique_ptr<TComponent> form;
    ASSERT_NO_THROW(form.reset(ReadFormFromString(data)));
    String dump = testsupport::DumpForm(form.get());
    EXPECT_GT(form->ComponentCount(), 0);
    String text = WriteFormToString(form.get());
    std::unique_ptr<TComponent> fromText(ReadFormFromString(text));
    EXPECT_EQ(FirstDifference(testsupport::DumpForm(fromText.get()), dump), "");
    EXPECT_EQ(FirstDifference(WriteFormToString(fromText.get()), text), "");
  }
}

}  // namespace
