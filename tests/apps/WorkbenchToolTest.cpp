// gls workbench run as a user runs it: the window rendered without a display
// on a copy of the bundled example, and the mistakes it reports.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/TestSupport.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

struct TResult {
  int Status = -1;
  String Err;
};

// The bundled example in a folder of the test's own.
void CopyExample(const TempDir& dir) {
  for (const char* name :
       {"MainForm.dfm", "OptionsDialog.dfm", "translations.txt", "dictionary.txt"})
    std::filesystem::copy_file(String(GLS_SOURCE_DIR) + "/examples/" + name, dir.File(name));
}

TResult Workbench(const String& args, const TempDir& dir, const String& env = "") {
  const String err = dir.File("err");
  const String command = "cd '" + dir.Path().string() + "' && " + env + " '" + GLS_TOOL +
                         "' workbench " + args + " >/dev/null 2>'" + err + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(err)};
}

bool BuiltWithoutQt(const TResult& r) {
  return r.Err.find("built without the Qt front end") != String::npos;
}

TEST(WorkbenchToolTest, ANewLocaleOpensWithoutADisplayAndChangesNothingUntilSaved) {
  TempDir dir;
  CopyExample(dir);
  const String form = ReadFile(dir.File("MainForm.dfm"));
  const String file = ReadFile(dir.File("translations.txt"));
  const TResult r = Workbench(
      "MainForm.dfm OptionsDialog.dfm --locale 10 --dict dictionary.txt "
      "--select MainForm.ButtonAdd.Caption --screenshot '" +
          dir.File("es.png") + "' -v",
      dir, "env -u DISPLAY -u WAYLAND_DISPLAY");
  if (BuiltWithoutQt(r)) GTEST_SKIP() << "the Qt front end is not built";
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("es.png"), String::npos) << "-v names the file written";
  EXPECT_EQ(ReadFile(dir.File("es.png")).substr(1, 3), "PNG");
  EXPECT_EQ(ReadFile(dir.File("MainForm.dfm")), form);
  EXPECT_EQ(ReadFile(dir.File("translations.txt")), file);
}

TEST(WorkbenchToolTest, MistakesAreReported) {
  TempDir dir;
  CopyExample(dir);
  const String png = " --screenshot '" + dir.File("x.png") + "'";
  TResult r = Workbench("MainForm.dfm --translator TranslatorKlingon" + png, dir);
  if (BuiltWithoutQt(r)) GTEST_SKIP() << "the Qt front end is not built";
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("no translator named TranslatorKlingon"), String::npos) << r.Err;

  r = Workbench("MainForm.dfm --locale 12 --select NoSuch.Caption" + png, dir);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("No text NoSuch.Caption"), String::npos) << r.Err;

  r = Workbench("MainForm.dfm --locale 12 --dict missing.txt" + png, dir);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("missing.txt"), String::npos) << r.Err;

  r = Workbench("MainForm.dfm --locale 12 --min-match 0" + png, dir);
  EXPECT_EQ(r.Status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.png"))) << "nothing written";

  // A window needs a display; the screenshot does not.
  r = Workbench("MainForm.dfm --locale 12", dir,
                "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("no display"), String::npos) << r.Err;
}

}  // namespace
