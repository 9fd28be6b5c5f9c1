// gls preview run as a user runs it: screenshots of the bundled example
// without a display, and the mistakes it reports.
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

// Runs the tool in the examples folder through the shell (`env` may unset
// variables first), its errors captured.
TResult Preview(const String& args, const TempDir& dir, const String& env = "") {
  const String err = dir.File("err");
  const String command = "cd '" + String(GLS_SOURCE_DIR) + "/examples' && " + env + " '" +
                         GLS_TOOL + "' preview " + args + " >/dev/null 2>'" + err + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(err)};
}

// The width and height a PNG file's header gives.
std::pair<int, int> PngSize(const String& png) {
  auto at = [&](size_t i) {
    return static_cast<int>(
        static_cast<unsigned char>(png[i]) << 24 | static_cast<unsigned char>(png[i + 1]) << 16 |
        static_cast<unsigned char>(png[i + 2]) << 8 | static_cast<unsigned char>(png[i + 3]));
  };
  if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {0, 0};
  return {at(16), at(20)};
}

bool BuiltWithoutQt(const TResult& r) {
  return r.Err.find("built without the Qt front end") != String::npos;
}

TEST(PreviewToolTest, ScreenshotsShowTheExampleInEachLanguageWithoutADisplay) {
  TempDir dir;
  const TResult english = Preview("MainForm.dfm --screenshot '" + dir.File("en.png") + "' -v", dir,
                                  "env -u DISPLAY -u WAYLAND_DISPLAY");
  if (BuiltWithoutQt(english)) GTEST_SKIP() << "the Qt front end is not built";
  ASSERT_EQ(english.Status, 0) << english.Err;
  EXPECT_NE(english.Err.find("en.png"), String::npos) << "-v names the file written";
  ASSERT_EQ(
      Preview("MainForm.dfm --locale 12 --screenshot '" + dir.File("fr.png") + "'", dir).Status, 0);
  ASSERT_EQ(
      Preview("MainForm.dfm --locale 7 --screenshot '" + dir.File("de.png") + "'", dir).Status, 0);
  const String en = ReadFile(dir.File("en.png")), fr = ReadFile(dir.File("fr.png")),
               de = ReadFile(dir.File("de.png"));
  // The form's client area: 560 by 400 less the frame, caption and menu bar.
  EXPECT_EQ(PngSize(en), std::make_pair(552, 354));
  EXPECT_EQ(PngSize(fr), PngSize(en));
  EXPECT_NE(en, fr);
  EXPECT_NE(fr, de);
}

TEST(PreviewToolTest, MistakesAreReported) {
  TempDir dir;
  TResult r = Preview("MainForm.dfm --locale 99 --screenshot '" + dir.File("x.png") + "'", dir);
  if (BuiltWithoutQt(r)) GTEST_SKIP() << "the Qt front end is not built";
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("no translator with Locale 99"), String::npos) << r.Err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.png"))) << "nothing written";

  r = Preview("MainForm.dfm OptionsDialog.dfm --screenshot '" + dir.File("x.png") + "'", dir);
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("--screenshot takes one FORM"), String::npos) << r.Err;

  r = Preview("NoSuchForm.dfm --screenshot '" + dir.File("x.png") + "'", dir);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("NoSuchForm.dfm"), String::npos) << r.Err;

  // A window needs a display; the screenshot does not.
  r = Preview("MainForm.dfm", dir, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("no display"), String::npos) << r.Err;
}

}  // namespace
