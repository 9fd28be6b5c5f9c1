// Real forms of the shared corpus translated as a whole: every string
// property the walk reaches is given a translation, and afterwards every
// property shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TestComponents.h"
#include "host/controls/Forms.h"
#include "host/formfiles/FormFiles.h"
#include "support/TestSupport.h"

using namespace glstest;

namespace {

// The value of a collected line when it is a string in its literal form.
bool StringValue(const String& line, String& path, String& value) {
  const size_t eq = line.find('=');
  if (eq == String::npos || eq + 1 >= line.size()) return false;
  const char first = line[eq + 1];
  if (first != '\'' && !(first == '#' && eq + 2 < line.size() && line[eq + 2] >= '0' && line[eq + 2] <= '9'))
    return false;
  path = line.substr(0, eq);
  value = line.substr(eq + 1);
  try {
    TGlossmith::ConvertFromLiterals(value);
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

// A translation of a text: the same for the same text, and keeping the order
// of texts (so that sorted lists stay as they were).
String Translated(const String& text) { return "~" + text; }

std::vector<std::filesystem::path> CorpusForms(const String& dir) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    const String ext = LowerCase(e.path().extension().string());
    if (e.is_regular_file() && (ext == ".dfm" || ext == ".lfm")) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(CorpusTranslationTest, EveryStringPropertyOfEveryFormShowsItsTranslation) {
  GLS_REQUIRE_CORPUS(dir);
  int forms = 0, translated = 0;
  for (const auto& file : CorpusForms(dir)) {
    SCOPED_TRACE(file.filename().string());
    std::unique_ptr<TComponent> form(ReadFormFromString(testsupport::ReadFile(file.string())));
    auto* translator = new TGlossmith(form.get());
    std::map<String, String> wanted;
    TStringList lines;
    for (const String& line : Collect(*translator)) {
      String path, value;
      // Names are the paths themselves; empty texts stay empty.
      if (!StringValue(line, path, value) || value.empty() || path == "Name" ||
          path.ends_with(".Name"))
        continue;
      String literal = Translated(value);
      TGlossmith::ConvertToLiterals(literal);
      wanted[path] = literal;
      lines.Add(path + "=" + literal);
    }
    translator->SetTranslations(&lines);
    bool applied = false;
    ASSERT_NO_THROW(applied = translator->TranslateForm(translator->Translations(), false));
    EXPECT_EQ(applied, !wanted.empty());
    // What the form shows now: a collecting walk of the translator itself
    // would put the originals back first.
    TGlossmith reader(form.get());
    std::map<String, String> shown;
    for (const String& line : Collect(reader)) {
      const size_t eq = line.find('=');
      if (eq != String::npos) shown[line.substr(0, eq)] = line.substr(eq + 1);
    }
    for (const auto& [path, literal] : wanted) {
      EXPECT_EQ(shown[path], literal) << path;
      ++translated;
    }
    ++forms;
  }
  EXPECT_GT(forms, 50);
  EXPECT_GT(translated, 5000);
}

}  // namespace
