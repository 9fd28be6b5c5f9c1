// gls check and gls pseudo run as a user (or a CI pipeline) runs them, on a
// copy of the bundled example: the findings, their JSON form, the exit
// status, and the writing commands refusing what the error-level checks find.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct TResult {
  int Status = -1;
  String Out, Err;
};

TResult RunTool(const std::vector<String>& args, const fs::path& cwd) {
  TempDir capture;
  const String out = capture.File("out"), err = capture.File("err");
  pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(o, 1);
    ::dup2(e, 2);
    std::vector<char*> argv{const_cast<char*>(GLS_TOOL)};
    for (const String& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(GLS_TOOL, argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  TResult r;
  r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.Out = ReadFile(out);
  r.Err = ReadFile(err);
  return r;
}

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

int CountOf(const String& text, const String& part) {
  int n = 0;
  for (size_t at = text.find(part); at != String::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class CheckToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(fs::path(GLS_SOURCE_DIR) / "examples"))
      fs::copy_file(e.path(), FDir.Path() / e.path().filename());
  }
  TResult Run(const std::vector<String>& args) { return RunTool(args, FDir.Path()); }
  String File(const String& name) const { return FDir.File(name); }
  TempDir FDir;
};

TEST_F(CheckToolTest, ExampleReportsItsRealFaultsAndNothingElse) {
  const TResult r = Run({"check", "MainForm.dfm", "OptionsDialog.dfm", "--all", "--estimate"});
  EXPECT_EQ(r.Status, 0) << r.Err;  // warnings only
  EXPECT_EQ(CountOf(r.Out, ": warning: "), 2) << r.Out;
  EXPECT_TRUE(Contains(r.Out, "translations.txt:17: warning: LabelSearch.Caption: the text needs"))
      << r.Out;
  EXPECT_TRUE(Contains(r.Out, "up to EditSearch")) << r.Out;
  EXPECT_TRUE(Contains(r.Out, "(original '&Search:', translation '&Rechercher :') [truncation]"))
      << r.Out;
  EXPECT_TRUE(Contains(r.Out, "translations.txt:18: warning: LabelSearch.Caption: Alt+S"))
      << r.Out;
  EXPECT_TRUE(Contains(r.Out, "[accelerator-clash]")) << r.Out;
  EXPECT_TRUE(Contains(r.Out, "gls check: 2 findings (0 errors, 2 warnings) in 2 forms "
                              "(4 translators): accelerator-clash 1, truncation 1"))
      << r.Out;
  // A pipeline that gates on warnings too.
  EXPECT_EQ(Run({"check", "MainForm.dfm", "--werror", "--estimate"}).Status, 1);
  const TResult french = Run({"check", "MainForm.dfm", "--locale", "12", "--estimate"});
  EXPECT_EQ(CountOf(french.Out, ": warning: "), 1) << french.Out;
  EXPECT_TRUE(Contains(french.Out, "estimated from the character widths")) << french.Out;
  const TResult only = Run({"check", "MainForm.dfm", "--only", "accelerator-clash", "--werror"});
  EXPECT_EQ(only.Status, 1);
  EXPECT_EQ(CountOf(only.Out, ": warning: "), 1) << only.Out;
  EXPECT_EQ(Run({"check", "OptionsDialog.dfm", "--werror"}).Status, 0);
}

TEST_F(CheckToolTest, JsonForCiAndEditorsParsesBack) {
  const TResult r = Run({"check", "MainForm.dfm", "--format", "json", "--estimate"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_TRUE(Contains(r.Err, "2 findings")) << r.Err;
  WriteFile(File("out.json"), r.Out);
  // Python's JSON reader, as a CI step would read it.
  const String script = File("read.py");
  WriteFile(script,
            "import json, sys\n"
            "items = json.load(open(sys.argv[1], encoding='utf-8'))\n"
            "print(' '.join(sorted(i['check'] + ':' + str(i['line']) + ':' + i['severity'] + ':' "
            "+ str(i['locale']) + ':' + i['path'] for i in items)))\n");
  const String command = "python3 " + script + " " + File("out.json") + " > " + File("parsed.txt");
  ASSERT_EQ(std::system(command.c_str()), 0) << r.Out;
  EXPECT_EQ(ReadFile(File("parsed.txt")),
            "accelerator-clash:18:warning:7:LabelSearch.Caption "
            "truncation:17:warning:12:LabelSearch.Caption\n");
}

TEST_F(CheckToolTest, ExitStatusTellsErrorsFromChecksThatCouldNotRun) {
  // An error: a value that does not convert.
  WriteFile(File("bad.txt"),
            "MainForm.ButtonAdd.Width%12=wide\r\n"
            "MainForm.ListViewContacts.ViewStyle%12=vsTable\r\n"
            "MainForm.Caption%12='Carnet %s'\r\n");
  const TResult bad = Run({"check", "MainForm.dfm", "--from", "bad.txt", "--locale", "12"});
  EXPECT_EQ(bad.Status, 1) << bad.Out << bad.Err;
  EXPECT_TRUE(Contains(bad.Out, "bad.txt:1: error: ButtonAdd.Width: 'wide' is not a whole number"))
      << bad.Out;
  EXPECT_TRUE(Contains(bad.Out, "bad.txt:2: error: ListViewContacts.ViewStyle: 'vsTable' is not a "
                                "value of TViewStyle"))
      << bad.Out;
  EXPECT_TRUE(Contains(bad.Out, "bad.txt:3: error: Caption: placeholders differ: added %s"))
      << bad.Out;
  // --from FILE for every translator of the form.
  EXPECT_EQ(Run({"check", "MainForm.dfm", "--from", "bad.txt"}).Status, 1);
  // The check could not run.
  EXPECT_EQ(Run({"check", "NoSuchForm.dfm"}).Status, 2);
  EXPECT_EQ(Run({"check", "MainForm.dfm", "--from", "none.txt"}).Status, 2);
  EXPECT_EQ(Run({"check", "MainForm.dfm", "--locale", "99"}).Status, 2);
  const TResult unknown = Run({"check", "MainForm.dfm", "--only", "spelling"});
  EXPECT_EQ(unknown.Status, 2);
  EXPECT_TRUE(Contains(unknown.Err, "unknown check 'spelling'")) << unknown.Err;
  EXPECT_EQ(Run({"check", "MainForm.dfm", "--format", "xml"}).Status, 2);
  EXPECT_EQ(Run({"check", "MainForm.dfm", "--all", "--locale", "7"}).Status, 2);
  const TResult list = Run({"check", "--list"});
  EXPECT_EQ(list.Status, 0);
  EXPECT_TRUE(Contains(list.Out, "truncation")) << list.Out;
  EXPECT_TRUE(Contains(list.Out, "convert            error")) << list.Out;
}

TEST_F(CheckToolTest, LoadRefusesWhatTheErrorChecksFindWithItsPlace) {
  // An enumeration name the type lacks applies as nothing at all; a
  // placeholder the original lacks makes the program's Format fail.
  WriteFile(File("bad.txt"),
            "MainForm.ButtonAdd.Caption%12='&Ajouter...'\r\n"
            "MainForm.ListViewContacts.ViewStyle%12=vsTable\r\n");
  const String before = ReadFile(File("MainForm.dfm"));
  const TResult load = Run({"load", "MainForm.dfm", "--from", "bad.txt", "--locale", "12"});
  EXPECT_EQ(load.Status, 1);
  EXPECT_TRUE(Contains(load.Err, "bad.txt, line 2: ListViewContacts.ViewStyle=vsTable: 'vsTable' "
                                 "is not a value of TViewStyle"))
      << load.Err;
  EXPECT_TRUE(Contains(load.Err, "[convert]")) << load.Err;
  EXPECT_EQ(ReadFile(File("MainForm.dfm")), before);
  WriteFile(File("bad.txt"), "MainForm.Caption%12='Carnet %d'\r\n");
  const TResult placeholder = Run({"load", "MainForm.dfm", "--from", "bad.txt", "--locale", "12"});
  EXPECT_EQ(placeholder.Status, 1);
  EXPECT_TRUE(Contains(placeholder.Err, "bad.txt, line 1: Caption='Carnet %d'")) << placeholder.Err;
  // What converts loads as before.
  WriteFile(File("good.txt"), "MainForm.ListViewContacts.ViewStyle%12=vsList\r\n");
  EXPECT_EQ(Run({"load", "MainForm.dfm", "--from", "good.txt", "--locale", "12"}).Status, 0);
}

TEST_F(CheckToolTest, ValueLongerThanALineHoldsIsReported) {
  // The translation file keeps 4,095 bytes of a value: the rest is lost on
  // the next save, and check says so at the line.
  const String longText(5000, 'x');
  WriteFile(File("long.txt"), "MainForm.ButtonAdd.Caption%12='&" + longText + "'\r\n"
                              "MainForm.ButtonClose.Caption%12='&" + String(4000, 'y') + "'\r\n");
  const TResult r = Run({"check", "MainForm.dfm", "--from", "long.txt", "--locale", "12",
                         "--only", "value-length"});
  EXPECT_EQ(CountOf(r.Out, "[value-length]"), 1) << r.Out << r.Err;
  EXPECT_TRUE(Contains(r.Out, "long.txt:1: warning: ButtonAdd.Caption: the value is longer than "
                              "4095 bytes"))
      << r.Out;
  EXPECT_EQ(r.Status, 0);
}

// Putting a translation back does not give a label its parent's font again
// (the label's colour was recorded while it followed the form's translated
// one): each translator is checked on the form as read, so the next one
// does not take that for a changed original.
TEST_F(CheckToolTest, EachTranslatorIsCheckedOnTheFormAsRead) {
  auto translator = [](const char* name, const char* locale) {
    return String("  object ") + name + ": TGlossmith\r\n    FileName = 'tr.txt'\r\n    Locale = " +
           locale + "\r\n    Translate = False\r\n  end\r\n";
  };
  WriteFile(File("F.dfm"), "object F: TForm\r\n  Font.Color = clBtnFace\r\n"
                           "  object Label1: TLabel\r\n    Caption = 'Name'\r\n  end\r\n" +
                               translator("T12", "12") + translator("T25", "25") + "end\r\n");
  WriteFile(File("tr.txt"),
            "F.Font.Color%-1=clBtnFace\r\n"
            "F.Font.Color%12=clWindow\r\n"
            "F.Label1.Font.Color%-1=clBtnFace\r\n"
            "F.Label1.Font.Color%12=clRed\r\n"
            "F.Label1.Font.Color%25=clRed\r\n");
  const TResult r = Run({"check", "F.dfm", "--estimate", "--werror"});
  EXPECT_EQ(r.Status, 0) << r.Out << r.Err;
  EXPECT_EQ(CountOf(r.Out, "[stale-original]"), 0) << r.Out;
  EXPECT_TRUE(Contains(r.Out, "no findings in 1 form(s) (2 translator(s))")) << r.Out;
}

TEST_F(CheckToolTest, PseudoTranslatorShowsWhereTheLayoutBreaks) {
  const TResult pseudo = Run({"pseudo", "MainForm.dfm"});
  ASSERT_EQ(pseudo.Status, 0) << pseudo.Err;
  const String file = ReadFile(File("translations.txt"));
  // Its list lives beside the other translators', under its own locale.
  EXPECT_TRUE(Contains(file, "MainForm.LabelSearch.Caption%1281='[&Séåŕçĥ: ")) << file;
  EXPECT_TRUE(Contains(file, "MainForm.SystemMenuClose%1281='[&Cļöšé")) << file;
  EXPECT_TRUE(Contains(file, "]'#9'Alt+F4'")) << file;
  EXPECT_TRUE(Contains(file, "MainForm.ButtonClose.Caption%12='&Fermer'")) << file;
  EXPECT_TRUE(Contains(ReadFile(File("MainForm.dfm")), "TranslatorPseudo: TGlossmith")) << "form";
  // Refreshing gives the same file.
  ASSERT_EQ(Run({"pseudo", "MainForm.dfm"}).Status, 0);
  EXPECT_EQ(ReadFile(File("translations.txt")), file);
  // The check sees the grown texts cut off, and nothing lost on the way
  // through the file: accelerators and placeholders are kept.
  const TResult check = Run({"check", "MainForm.dfm", "--locale", "1281", "--estimate"});
  EXPECT_EQ(check.Status, 0) << check.Err;
  EXPECT_GT(CountOf(check.Out, "[truncation]"), 0) << check.Out;
  EXPECT_EQ(CountOf(check.Out, "[accelerator]"), 0) << check.Out;
  EXPECT_EQ(CountOf(check.Out, "[placeholders]"), 0) << check.Out;
  EXPECT_EQ(CountOf(check.Out, "[line-breaks]"), 0) << check.Out;
  EXPECT_EQ(CountOf(check.Out, "[missing-path]"), 0) << check.Out;
  // The mirrored variant under its own locale, with the form's reading order.
  ASSERT_EQ(Run({"pseudo", "MainForm.dfm", "--mirror", "--expand", "0"}).Status, 0);
  const String mirrored = ReadFile(File("translations.txt"));
  EXPECT_TRUE(Contains(mirrored, "MainForm.BiDiMode%2559=bdRightToLeft")) << mirrored;
  EXPECT_TRUE(Contains(mirrored, "MainForm.ButtonAdd.Caption%2559='[\xE2\x80\xAE&Aðð...\xE2\x80\xAC]'"))
      << mirrored;
  EXPECT_EQ(Run({"pseudo", "MainForm.dfm", "--expand", "many"}).Status, 2);
}

}  // namespace
