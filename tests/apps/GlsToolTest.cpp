// The gls tool run as a user runs it: a process with arguments, checked by its
// output, its exit status and the files it leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <random>
#include <thread>

#include "host/classes/FileLock.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct TRun {
  int Status = -1;
  String Out, Err;
};

// Starts the tool in `cwd` with its output going to the file `out` and its
// errors to the file `err`, or to `errFd` when one is given.
// With `asUser` a superuser's rights are dropped first, so that the
// permissions of files hold for the tool whoever runs the tests.
pid_t Start(const std::vector<String>& args, const fs::path& cwd, const String& out,
            const String& err, int errFd = -1, bool asUser = false) {
  pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int e = errFd >= 0 ? errFd : ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int in = ::open("/dev/null", O_RDONLY);
    ::dup2(o, 1);
    ::dup2(e, 2);
    ::dup2(in, 0);
    if (asUser && ::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(GLS_TOOL)};
    for (const String& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(GLS_TOOL, argv.data());
    ::_exit(127);
  }
  return pid;
}

int ExitStatus(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TRun Gls(const std::vector<String>& args, const fs::path& cwd) {
  TempDir capture;
  const String out = capture.File("out"), err = capture.File("err");
  TRun run;
  run.Status = ExitStatus(Start(args, cwd, out, err));
  run.Out = ReadFile(out);
  run.Err = ReadFile(err);
  return run;
}

// Sets an environment variable of the tool's runs for the time of a scope.
class TEnvironment {
 public:
  TEnvironment(const char* name, const char* value) : FName(name) { ::setenv(name, value, 1); }
  ~TEnvironment() { ::unsetenv(FName); }
  TEnvironment(const TEnvironment&) = delete;
  TEnvironment& operator=(const TEnvironment&) = delete;

 private:
  const char* FName;
};

// A small form with a German and a French translator whose lists live in the
// form; its texts are its own, so that no two forms share an original.
String NumberedForm(int k) {
  const String n = IntToStr(k);
  auto translator = [&](const String& name, const String& locale, const String& word) {
    const String q = "''";
    return "  object " + name + ": TGlossmith\r\n    Locale = " + locale +
           "\r\n    Translate = False\r\n    Translations.Strings = (\r\n      'Caption=" + q +
           word + " " + n + q + "'\r\n      'Button1.Caption=" + q + word + " " + n + " B" + q +
           "'\r\n      'Label1.Caption=" + q + word + " " + n + " L" + q + "')\r\n  end\r\n";
  };
  return "object Form" + n + ": TForm\r\n  Caption = 'Window " + n +
         "'\r\n  object Button1: TButton\r\n    Caption = 'Close " + n +
         "'\r\n  end\r\n  object Label1: TLabel\r\n    Caption = 'Name " + n + "'\r\n  end\r\n" +
         translator("German", "7", "Fenster") + translator("French", "12", "Fenetre") + "end\r\n";
}

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

// Lines ended with CR LF, as the form writer ends them.
String Lines(std::initializer_list<const char*> lines) {
  String out;
  for (const char* line : lines) out += String(line) + "\r\n";
  return out;
}

// A copy of the bundled example to work on.
class GlsToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(fs::path(GLS_SOURCE_DIR) / "examples"))
      fs::copy_file(e.path(), FDir.Path() / e.path().filename());
  }
  TRun Run(const std::vector<String>& args) { return Gls(args, FDir.Path()); }
  // Runs the tool without superuser rights in a folder everybody may write.
  TRun RunAsUser(const std::vector<String>& args) {
    fs::permissions(FDir.Path(), fs::perms::all);
    TempDir capture;
    fs::permissions(capture.Path(), fs::perms::all);
    const String out = capture.File("out"), err = capture.File("err");
    TRun run;
    run.Status = ExitStatus(Start(args, FDir.Path(), out, err, -1, true));
    run.Out = ReadFile(out);
    run.Err = ReadFile(err);
    return run;
  }
  std::vector<String> Entries() const {
    std::vector<String> names;
    for (const auto& e : fs::directory_iterator(FDir.Path()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Writes Form1.dfm ... FormN.dfm and gives their names.
  std::vector<String> NumberedForms(int count) {
    std::vector<String> names;
    for (int k = 1; k <= count; ++k) {
      names.push_back("Form" + IntToStr(k) + ".dfm");
      WriteFile(File(names.back()), NumberedForm(k));
    }
    return names;
  }
  String File(const String& name) const { return FDir.File(name); }
  String Read(const String& name) const { return ReadFile(FDir.File(name)); }

  TempDir FDir;
};

TEST_F(GlsToolTest, VersionUsageAndHelp) {
  TRun version = Run({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, "gls 1.0.0\n");
  TRun none = Run({});
  EXPECT_EQ(none.Status, 2);
  EXPECT_TRUE(Contains(none.Err, "usage: gls COMMAND"));
  EXPECT_EQ(Run({"frobnicate"}).Status, 2);
  TRun badOption = Run({"extract", "MainForm.dfm", "--bogus"});
  EXPECT_EQ(badOption.Status, 2);
  EXPECT_TRUE(Contains(badOption.Err, "unknown option '--bogus'"));
  EXPECT_TRUE(Contains(badOption.Err, "usage: gls extract"));
  for (const char* command : {"extract", "translate", "show", "save", "load", "dict", "demo"}) {
    TRun help = Run({command, "--help"});
    EXPECT_EQ(help.Status, 0) << command;
    EXPECT_TRUE(Contains(help.Out, String("usage: gls ") + command)) << command;
  }
}

TEST_F(GlsToolTest, ExtractListsEveryPropertyInWalkOrder) {
  TRun run = Run({"extract", "MainForm.dfm"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Caption='Address Book'\n"));
  EXPECT_TRUE(Contains(run.Out, "SystemMenuClose='&Close'#9'Alt+F4'\n"));
  EXPECT_TRUE(Contains(run.Out, "ListViewContacts.Columns[0].Width=160\n"));
  EXPECT_LT(run.Out.find("\nButtonAdd.Caption="), run.Out.find("\nButtonClose.Caption="));
  TRun texts = Run({"extract", "--texts", "MainForm.dfm", "OptionsDialog.dfm"});
  ASSERT_EQ(texts.Status, 0) << texts.Err;
  EXPECT_TRUE(Contains(texts.Out, "# MainForm.dfm\n"));
  EXPECT_TRUE(Contains(texts.Out, "# OptionsDialog.dfm\n"));
  EXPECT_TRUE(Contains(texts.Out, "RadioSort.Items[1]='E-mail'\n"));
  EXPECT_FALSE(Contains(texts.Out, "\nListViewContacts.Columns[0].Width="));
  EXPECT_FALSE(Contains(texts.Out, "=''\n"));
}

TEST_F(GlsToolTest, TranslateWritesTheFormAsItShowsAndLeavesTheInputsAlone) {
  const String form = Read("MainForm.dfm"), translations = Read("translations.txt");
  TRun run = Run({"translate", "MainForm.dfm", "--locale", "7", "-o", "MainForm.de.dfm"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  String german = Read("MainForm.de.dfm");
  EXPECT_TRUE(Contains(german, "Caption = 'Adressbuch'")) << german;
  EXPECT_TRUE(Contains(german, "Caption = '&Datei'"));
  EXPECT_FALSE(Contains(german, "TGlossmith"));
  EXPECT_EQ(Read("MainForm.dfm"), form);
  EXPECT_EQ(Read("translations.txt"), translations);
  // To standard output, by translator name.
  TRun stdoutRun = Run({"translate", "OptionsDialog.dfm", "--translator", "TranslatorFrench"});
  ASSERT_EQ(stdoutRun.Status, 0) << stdoutRun.Err;
  EXPECT_TRUE(Contains(stdoutRun.Out, "Caption = 'Annuler'"));
  EXPECT_EQ(Run({"translate", "MainForm.dfm"}).Status, 2);
}

TEST_F(GlsToolTest, ShowPrintsTheTextsSideBySide) {
  TRun run = Run({"show", "MainForm.dfm", "--locale", "12"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "TranslatorFrench (12)"));
  EXPECT_TRUE(Contains(run.Out, "Carnet d'adresses"));
  EXPECT_FALSE(Contains(run.Out, "TranslatorGerman"));
  EXPECT_FALSE(Contains(run.Out, "FileName"));
}

TEST_F(GlsToolTest, SaveRebuildsTheSharedFileAndKeepsOtherLines) {
  TRun run = Run({"save", "MainForm.dfm", "OptionsDialog.dfm", "--to", "app.txt"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(Read("app.txt"), Read("translations.txt"));
  WriteFile(File("mixed.txt"), "Another.Caption%7='kept'\r\nMainForm.Caption%7='replaced'\r\n");
  ASSERT_EQ(Run({"save", "MainForm.dfm", "--locale", "7", "--to", "mixed.txt"}).Status, 0);
  String mixed = Read("mixed.txt");
  EXPECT_TRUE(Contains(mixed, "Another.Caption%7='kept'\r\n"));
  EXPECT_TRUE(Contains(mixed, "MainForm.Caption%7='Adressbuch'\r\n"));
  EXPECT_FALSE(Contains(mixed, "replaced"));
  EXPECT_FALSE(Contains(mixed, "%12="));
}

TEST_F(GlsToolTest, LoadMergesATranslationFileAndWritesTheFormBack) {
  WriteFile(File("extra.txt"), "MainForm.ButtonClose.Caption%12='&Sortir'\r\n");
  TRun run = Run({"load", "MainForm.dfm", "--locale", "12", "--from", "extra.txt", "-o", "out.dfm",
                  "--translations", "translations.txt"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(FileExists(File("out.dfm")));
  // The translator keeps its list in translations.txt, which the form's
  // writing brings up to date when asked to (with -o, only then).
  EXPECT_TRUE(Contains(Read("translations.txt"), "MainForm.ButtonClose.Caption%12='&Sortir'\r\n"));
  TRun shown = Run({"show", "out.dfm", "--locale", "12"});
  EXPECT_TRUE(Contains(shown.Out, "&Sortir"));
}

TEST_F(GlsToolTest, DictionariesCarryTranslationsFromFormToForm) {
  TRun out = Run({"dict", "export", "MainForm.dfm", "--locale", "7", "--to", "de.dict"});
  ASSERT_EQ(out.Status, 0) << out.Err;
  String dict = Read("de.dict");
  EXPECT_TRUE(Contains(dict, "&Close\t&Schließen\r\n"));
  EXPECT_TRUE(Contains(dict, "&Close\\tAlt+F4\t&Schließen\\tAlt+F4\r\n"));
  TRun in = Run({"dict", "import", "OptionsDialog.dfm", "--locale", "7", "--from", "dictionary.txt",
                 "-o", "out.dfm"});
  ASSERT_EQ(in.Status, 0) << in.Err;
  EXPECT_EQ(Run({"dict", "import", "OptionsDialog.dfm", "--from", "dictionary.txt"}).Status, 1);
  EXPECT_EQ(Run({"dict"}).Status, 2);
}

TEST_F(GlsToolTest, ProcessesSavingOrExportingIntoOneFileAtOnceKeepEveryForm) {
  const std::vector<String> forms = NumberedForms(12);
  for (const String kind : {"save", "export"}) {
    auto args = [&](const std::vector<String>& which, const String& to) {
      std::vector<String> a;
      if (kind == "export") a.push_back("dict");
      a.push_back(kind);
      a.insert(a.end(), which.begin(), which.end());
      a.insert(a.end(), {"--to", to});
      return a;
    };
    // All forms by one process, in one pass.
    TRun together = Run(args(forms, "expected." + kind));
    ASSERT_EQ(together.Status, 0) << together.Err;
    EXPECT_EQ(together.Err, "");  // no progress line when errors go to a file

    // One process per form, all at once.
    TempDir capture;
    std::vector<pid_t> running;
    for (size_t i = 0; i < forms.size(); ++i)
      running.push_back(Start(args({forms[i]}, "shared." + kind), FDir.Path(),
                              capture.File("out" + IntToStr(i)),
                              capture.File("err" + IntToStr(i))));
    for (size_t i = 0; i < running.size(); ++i)
      EXPECT_EQ(ExitStatus(running[i]), 0) << ReadFile(capture.File("err" + IntToStr(i)));
    const String expected = Read("expected." + kind);
    EXPECT_TRUE(Contains(expected, "Fenetre 12 L")) << expected;
    EXPECT_EQ(Read("shared." + kind), expected) << kind;
  }
}

TEST_F(GlsToolTest, AFileAnotherProcessHoldsIsWaitedForThenNamed) {
  TEnvironment wait("GLS_LOCK_WAIT", "0.1");
  const String form = Read("MainForm.dfm"), translations = Read("translations.txt");
  {
    TFileLock held(File("translations.txt"));
    TRun save = Run({"save", "MainForm.dfm", "--to", "translations.txt"});
    EXPECT_EQ(save.Status, 1);
    EXPECT_TRUE(Contains(save.Err, "Cannot lock file \"translations.txt\"")) << save.Err;
    EXPECT_TRUE(Contains(save.Err, "waited 0.1 s")) << save.Err;
  }
  {
    // Loading into the form in place reads and writes it under its lock;
    // writing the result elsewhere only reads it.
    TFileLock held(File("MainForm.dfm"));
    TRun inPlace = Run({"load", "MainForm.dfm", "--from", "translations.txt"});
    EXPECT_EQ(inPlace.Status, 1);
    EXPECT_TRUE(Contains(inPlace.Err, "Cannot lock file \"MainForm.dfm\"")) << inPlace.Err;
    TRun elsewhere = Run({"load", "MainForm.dfm", "--from", "translations.txt", "-o", "out.dfm"});
    EXPECT_EQ(elsewhere.Status, 0) << elsewhere.Err;
  }
  EXPECT_EQ(Read("MainForm.dfm"), form);
  EXPECT_EQ(Read("translations.txt"), translations);
  EXPECT_EQ(Run({"load", "MainForm.dfm", "--from", "translations.txt"}).Status, 0);
}

TEST_F(GlsToolTest, ManyFormsShowTheirProgressOnATerminal) {
  const std::vector<String> forms = NumberedForms(6);
  int terminal = -1, slave = -1;
  ASSERT_EQ(::openpty(&terminal, &slave, nullptr, nullptr, nullptr), 0);
  std::vector<String> args{"save"};
  args.insert(args.end(), forms.begin(), forms.end());
  args.insert(args.end(), {"--to", "app.txt"});
  TempDir capture;
  pid_t pid = Start(args, FDir.Path(), capture.File("out"), "", slave);
  ::close(slave);
  String shown;
  char buffer[4096];
  for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
    shown.append(buffer, static_cast<size_t>(n));
  ::close(terminal);
  EXPECT_EQ(ExitStatus(pid), 0) << shown;
  EXPECT_TRUE(Contains(shown, "\rreading 1/6: Form1.dfm")) << shown;
  EXPECT_TRUE(Contains(shown, "\rsaved 6 forms to app.txt")) << shown;
  EXPECT_TRUE(shown.ends_with("\n")) << shown;
  EXPECT_TRUE(Contains(Read("app.txt"), "Form6.Label1.Caption%12='Fenetre 6 L'"));
}

TEST_F(GlsToolTest, ErrorsNameTheFileAndLeaveEveryFileAsItWas) {
  const String translations = Read("translations.txt");
  TRun missing = Run({"extract", "Nowhere.dfm"});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_TRUE(Contains(missing.Err, "Nowhere.dfm"));

  WriteFile(File("Broken.dfm"), "object Broken: TForm\n  Caption = 'unterminated\nend\n");
  TRun broken = Run({"extract", "Broken.dfm"});
  EXPECT_EQ(broken.Status, 1);
  EXPECT_TRUE(Contains(broken.Err, "Broken.dfm")) << broken.Err;
  EXPECT_TRUE(Contains(LowerCase(broken.Err), "line 2")) << broken.Err;
  EXPECT_TRUE(Contains(LowerCase(broken.Err), "column")) << broken.Err;

  const String badFile = "MainForm.Caption%seven='x'\r\n";
  WriteFile(File("bad.txt"), badFile);
  TRun bad = Run({"save", "MainForm.dfm", "--locale", "7", "--to", "bad.txt"});
  EXPECT_EQ(bad.Status, 1);
  EXPECT_TRUE(Contains(bad.Err, "seven")) << bad.Err;
  EXPECT_EQ(Read("bad.txt"), badFile);

  TRun unknown = Run({"translate", "MainForm.dfm", "--translator", "TranslatorKlingon"});
  EXPECT_EQ(unknown.Status, 1);
  EXPECT_TRUE(Contains(unknown.Err, "no translator named TranslatorKlingon"));

  TRun unwritable =
      Run({"translate", "MainForm.dfm", "--locale", "7", "-o", "no/such/folder/out.dfm"});
  EXPECT_EQ(unwritable.Status, 1);
  EXPECT_TRUE(Contains(unwritable.Err, "no/such/folder/out.dfm"));

  const String form = Read("MainForm.dfm");
  TRun loadMissing = Run({"load", "MainForm.dfm", "--from", "absent.txt"});
  EXPECT_EQ(loadMissing.Status, 1);
  EXPECT_TRUE(Contains(loadMissing.Err, "absent.txt"));
  EXPECT_EQ(Read("MainForm.dfm"), form);
  EXPECT_EQ(Read("translations.txt"), translations);
}

TEST_F(GlsToolTest, ALoadThatCannotWriteTheFormLeavesItsTranslationFileAsItWas) {
  WriteFile(File("new.txt"), "MainForm.Caption%7='Neues Adressbuch'\r\n");
  const String translations = Read("translations.txt"), form = Read("MainForm.dfm");
  const std::vector<String> entries = Entries();
  fs::permissions(File("translations.txt"), fs::perms::all & ~fs::perms::owner_exec &
                                                ~fs::perms::group_exec & ~fs::perms::others_exec);
  fs::permissions(File("MainForm.dfm"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const TRun run = RunAsUser({"load", "MainForm.dfm", "--from", "new.txt", "-v"});
  if (run.Status == 127)
    GTEST_SKIP() << "the tool cannot be started as another user here (a folder on the way to it "
                    "is closed to others): "
                 << run.Err;
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(Contains(run.Err, "Cannot create file \"MainForm.dfm\"")) << run.Err;
  EXPECT_FALSE(Contains(run.Err, "translations.txt")) << "not listed as written: " << run.Err;
  EXPECT_EQ(Read("translations.txt"), translations);
  EXPECT_EQ(Read("MainForm.dfm"), form);
  EXPECT_EQ(Entries(), entries) << "no temporary or lock file left";

  // Writable, both change together.
  fs::permissions(File("MainForm.dfm"), fs::perms::owner_write, fs::perm_options::add);
  const TRun written = Run({"load", "MainForm.dfm", "--from", "new.txt", "-v"});
  EXPECT_EQ(written.Status, 0) << written.Err;
  EXPECT_TRUE(Contains(written.Err, "translations.txt\n")) << written.Err;
  EXPECT_TRUE(written.Err.ends_with("MainForm.dfm\n")) << written.Err;
  EXPECT_TRUE(Contains(Read("translations.txt"), "MainForm.Caption%7='Neues Adressbuch'"));
}

TEST_F(GlsToolTest, ASaveStoppedAtAnyMomentLeavesTheOldOrTheNewFileAndNothingElse) {
  // A translation file with many lines of other forms, saved into whole.
  String old;
  for (int i = 0; i < 100000; ++i)
    old += "Other" + IntToStr(i % 97) + ".Label" + IntToStr(i) + ".Caption%7='Text " +
           IntToStr(i) + "'\r\n";
  WriteFile(File("big.txt"), old);
  const std::vector<String> entries = Entries();
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(Run({"save", "MainForm.dfm", "--to", "big.txt"}).Status, 0);
  const auto took = std::chrono::steady_clock::now() - began;
  const String saved = Read("big.txt");
  ASSERT_NE(saved, old);

  std::random_device seed;
  const unsigned seedValue = seed();
  std::mt19937 random(seedValue);
  const auto span = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
  TempDir capture;
  // The file is written in the last part of the run: the moments fall one
  // into each sixth of its second half.
  const int kills = 6;
  std::uniform_real_distribution<double> within(0, 1);
  for (int k = 0; k < kills; ++k) {
    WriteFile(File("big.txt"), old);
    const auto at = std::chrono::microseconds(
        static_cast<long long>(static_cast<double>(span) * (0.5 + 0.5 * (k + within(random)) / kills)));
    SCOPED_TRACE("seed " + IntToStr(seedValue) + ", killed after " + IntToStr(at.count()) + " us");
    const pid_t pid = Start({"save", "MainForm.dfm", "--to", "big.txt"}, FDir.Path(),
                            capture.File("out"), capture.File("err"));
    std::this_thread::sleep_for(at);
    // Mostly killed; interrupted or terminated the same holds.
    const int signal = k % 3 == 1 ? SIGTERM : k % 3 == 2 ? SIGINT : SIGKILL;
    ::kill(pid, signal);
    ExitStatus(pid);
    const String now = Read("big.txt");
    EXPECT_TRUE(now == old || now == saved) << "a file of " << now.size() << " bytes";
    // Killed, a lock file stays until the next holder takes it over;
    // nothing else, and nothing at all after the other signals.
    std::vector<String> left = Entries();
    if (signal == SIGKILL)
      left.erase(std::remove(left.begin(), left.end(), "big.txt.lock"), left.end());
    EXPECT_EQ(left, entries);
  }
  ASSERT_EQ(Run({"save", "MainForm.dfm", "--to", "big.txt"}).Status, 0);
  EXPECT_EQ(Read("big.txt"), saved);
  EXPECT_EQ(Entries(), entries);
}

TEST_F(GlsToolTest, InputsOverTheSizeLimitAreRefusedBeforeTheyAreRead) {
  // The form is under 3 KiB, its translation file over it.
  TRun form = Run({"show", "MainForm.dfm", "--max-input-size", "1K"});
  EXPECT_EQ(form.Status, 1);
  EXPECT_TRUE(Contains(form.Err, "MainForm.dfm\": its size (2639 bytes) is over the input size "
                                 "limit of 1 KiB"))
      << form.Err;
  TRun translations = Run({"show", "MainForm.dfm", "--max-input-size=3K"});
  EXPECT_EQ(translations.Status, 1);
  EXPECT_TRUE(Contains(translations.Err, "translations.txt\": its size (3985 bytes)"))
      << translations.Err;
  {
    TEnvironment limit("GLS_MAX_INPUT_SIZE", "100");
    String big;
    while (big.size() < 5000) big += "Original text\tTranslated text\r\n";
    WriteFile(File("big.dict"), big);
    TRun dict = Run({"dict", "import", "OptionsDialog.dfm", "--locale", "7", "--from", "big.dict",
                     "-o", "out.dfm", "--max-input-size", "4500"});
    EXPECT_EQ(dict.Status, 1) << "the option wins over the environment; the dictionary is over";
    EXPECT_TRUE(Contains(dict.Err, "big.dict\": its size (")) << dict.Err;
    TRun env = Run({"show", "OptionsDialog.dfm"});
    EXPECT_EQ(env.Status, 1);
    EXPECT_TRUE(Contains(env.Err, "limit of 100 bytes")) << env.Err;
    EXPECT_EQ(Run({"show", "MainForm.dfm", "--max-input-size", "0"}).Status, 0) << "0: no limit";
  }
  TRun bad = Run({"show", "MainForm.dfm", "--max-input-size", "lots"});
  EXPECT_EQ(bad.Status, 2);
  EXPECT_TRUE(Contains(bad.Err, "--max-input-size: 'lots' is not a valid size")) << bad.Err;
  EXPECT_FALSE(fs::exists(File("out.dfm")));
}

TEST_F(GlsToolTest, ValuesCutOnSavingAndKeysGivenTwiceAreWarnings) {
  WriteFile(File("Long.dfm"), Lines({"object Long: TForm", "  object Btn: TButton",
                                     "    Caption = 'OK'", "  end",
                                     "  object TranslatorGerman: TGlossmith", "    Locale = 7",
                                     "    Translate = False", "    Translations.Strings = ("}) +
                                  "      'Btn.Caption=''" + String(5000, 'x') + "''')\r\n" +
                                  Lines({"  end", "end"}));
  TRun save = Run({"save", "Long.dfm", "--to", "app.txt"});
  ASSERT_EQ(save.Status, 0) << save.Err;
  EXPECT_EQ(save.Err, "gls: warning: app.txt: Long.Btn.Caption: the value (5002 bytes) is cut to "
                      "the 4095 bytes that a line holds\n");
  TRun exported = Run({"dict", "export", "Long.dfm", "--to", "de.dict"});
  ASSERT_EQ(exported.Status, 0) << exported.Err;
  EXPECT_EQ(exported.Err, "gls: warning: de.dict: Btn.Caption: the translation (5002 bytes) is "
                          "cut to the 4095 bytes that a line holds\n");

  WriteFile(File("twice.txt"), "MainForm.Caption%12='a'\r\nMainForm.Caption%12='b'\r\n");
  TRun load = Run({"load", "MainForm.dfm", "--locale", "12", "--from", "twice.txt", "-o", "out.dfm"});
  ASSERT_EQ(load.Status, 0) << load.Err;
  EXPECT_TRUE(Contains(load.Err, "gls: warning: twice.txt, line 2: MainForm.Caption: given again "
                                 "for locale 12; this later line wins\n"))
      << load.Err;
}

TEST_F(GlsToolTest, FoldersGivenForFilesAreNamedAsFolders) {
  fs::create_directory(File("dir"));
  for (const char* command : {"load", "dict"}) {
    TRun run = command == String("load")
                   ? Run({"load", "MainForm.dfm", "--from", "dir"})
                   : Run({"dict", "import", "MainForm.dfm", "--locale", "7", "--from", "dir"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "gls: dir: is a folder, not a file\n");
  }
  const String form = Read("MainForm.dfm");
  TRun save = Run({"save", "MainForm.dfm", "--to", "missing/app.txt"});
  EXPECT_EQ(save.Status, 1);
  EXPECT_EQ(save.Err, "gls: missing: no such folder (to write missing/app.txt into)\n");
  TRun load = Run({"load", "MainForm.dfm", "--from", "translations.txt", "-o", "missing/out.dfm"});
  EXPECT_EQ(load.Status, 1);
  EXPECT_EQ(load.Err, "gls: missing: no such folder (to write missing/out.dfm into)\n");
  TRun translate = Run({"translate", "MainForm.dfm", "--locale", "7", "-o", "translations.txt/x"});
  EXPECT_EQ(translate.Err, "gls: translations.txt: is not a folder (to write translations.txt/x into)\n");
  EXPECT_EQ(Read("MainForm.dfm"), form);
}

TEST_F(GlsToolTest, WithOutputNothingButTheNamedFilesChange) {
  const String form = Read("MainForm.dfm"), translations = Read("translations.txt");
  WriteFile(File("extra.txt"), "MainForm.ButtonClose.Caption%12='&Sortir'\r\n");
  TRun out =
      Run({"load", "MainForm.dfm", "--locale", "12", "--from", "extra.txt", "-o", "out.dfm", "-v"});
  ASSERT_EQ(out.Status, 0) << out.Err;
  EXPECT_EQ(Read("MainForm.dfm"), form);
  EXPECT_EQ(Read("translations.txt"), translations);
  // The user hears where the loaded lines did not go, and the one file written.
  EXPECT_TRUE(Contains(out.Err, "translations.txt are not written")) << out.Err;
  EXPECT_TRUE(Contains(out.Err, "--translations FILE")) << out.Err;
  EXPECT_TRUE(out.Err.ends_with("\nout.dfm\n")) << out.Err;
  EXPECT_FALSE(Contains(Read("out.dfm"), "Sortir"));  // the list lives in the file, not the form

  TRun elsewhere = Run({"load", "MainForm.dfm", "--locale", "12", "--from", "extra.txt", "-o",
                        "out.dfm", "--translations", "fr.txt", "-v"});
  ASSERT_EQ(elsewhere.Status, 0) << elsewhere.Err;
  EXPECT_EQ(elsewhere.Err, "fr.txt\nout.dfm\n");
  EXPECT_EQ(Read("translations.txt"), translations);
  EXPECT_TRUE(Contains(Read("fr.txt"), "MainForm.ButtonClose.Caption%12='&Sortir'\r\n"));

  // In place, the form and the file its translators name, each listed once.
  TRun inPlace = Run(
      {"dict", "import", "OptionsDialog.dfm", "--locale", "7", "--from", "dictionary.txt", "-v"});
  ASSERT_EQ(inPlace.Status, 0) << inPlace.Err;
  EXPECT_EQ(inPlace.Err, File("translations.txt") + "\nOptionsDialog.dfm\n");
}

TEST_F(GlsToolTest, AFileNameOutsideTheFormsFolderIsWrittenOnlyWhenAllowed) {
  fs::create_directories(FDir.Path() / "forms");
  fs::create_directories(FDir.Path() / "elsewhere");
  TempDir other;
  WriteFile(File("extra.txt"), "MainForm.ButtonClose.Caption%12='&Sortir'\r\n");
  // A name with a folder is taken from the working folder; an absolute one as it stands.
  for (const String& name : {String("elsewhere/texts.txt"), other.File("texts.txt")}) {
    String form = Read("MainForm.dfm");
    for (size_t at; (at = form.find("'translations.txt'")) != String::npos;)
      form.replace(at, 18, "'" + name + "'");
    WriteFile(File("forms/MainForm.dfm"), form);
    const String resolved = fs::weakly_canonical(FDir.Path() / name).string();

    TRun refused =
        Run({"load", "forms/MainForm.dfm", "--locale", "12", "--from", "extra.txt", "-v"});
    EXPECT_EQ(refused.Status, 1) << name;
    EXPECT_TRUE(Contains(refused.Err,
                         "forms/MainForm.dfm: translator TranslatorFrench keeps its "
                         "list in " +
                             resolved + ", outside the form's folder"))
        << refused.Err;
    EXPECT_TRUE(Contains(refused.Err, "nothing was written (--allow-outside writes it there)"))
        << refused.Err;
    EXPECT_EQ(Read("forms/MainForm.dfm"), form);
    EXPECT_FALSE(fs::exists(FDir.Path() / name));

    // -o writes no translation file, and --translations names one: both go.
    EXPECT_EQ(Run({"load", "forms/MainForm.dfm", "--from", "extra.txt", "-o", "out.dfm"}).Status,
              0);
    TRun allowed = Run({"dict", "import", "forms/MainForm.dfm", "--locale", "7", "--from",
                        "dictionary.txt", "--allow-outside", "-v"});
    ASSERT_EQ(allowed.Status, 0) << allowed.Err;
    EXPECT_EQ(allowed.Err, name + "\nforms/MainForm.dfm\n");
    EXPECT_TRUE(fs::exists(FDir.Path() / name));
  }
  EXPECT_TRUE(Contains(Run({"load", "--help"}).Out, "--allow-outside")) << "documented";
}

TEST_F(GlsToolTest, VerboseListsEveryFileWrittenAndNothingElse) {
  EXPECT_EQ(Run({"extract", "MainForm.dfm", "-v"}).Err, "");
  EXPECT_EQ(Run({"show", "MainForm.dfm", "-v"}).Err, "");
  EXPECT_EQ(Run({"translate", "MainForm.dfm", "--locale", "7", "-v"}).Err, "");
  EXPECT_EQ(Run({"translate", "MainForm.dfm", "--locale", "7", "-o", "de.dfm", "-v"}).Err,
            "de.dfm\n");
  EXPECT_EQ(Run({"save", "MainForm.dfm", "OptionsDialog.dfm", "--to", "app.txt", "-v"}).Err,
            "app.txt\n");
  EXPECT_EQ(Run({"dict", "export", "MainForm.dfm", "--locale", "7", "--to", "de.dict", "-v"}).Err,
            "de.dict\n");
  EXPECT_EQ(Run({"save", "MainForm.dfm", "--to", "quiet.txt"}).Err, "");
  TRun help = Run({"load", "--help"});
  EXPECT_TRUE(Contains(help.Out, "--translations FILE")) << help.Out;
  EXPECT_TRUE(Contains(help.Out, "With -o nothing but\nOUT changes")) << help.Out;
  EXPECT_TRUE(Contains(Run({"extract", "--help"}).Out, "  -v "));
}

// A form whose translator keeps its list in the form file itself.
const char* const kSelfContained[] = {
    "object Inline: TForm",                   // 1
    "  Caption = 'Hello'",                    // 2
    "  object Btn: TButton",                  // 3
    "    Caption = 'OK'",                     // 4
    "    Width = 75",                         // 5
    "  end",                                  // 6
    "  object TranslatorGerman: TGlossmith",  // 7
    "    Locale = 7",                         // 8
    "    Translate = False",                  // 9
    "    Translations.Strings = (",           // 10
    "      'Btn.Caption=''Gut'''",            // 11
    "      'Btn.Width=90')",                  // 12
    "  end",                                  // 13
    "end",                                    // 14
};

String SelfContained(std::initializer_list<std::pair<int, const char*>> replaced = {}) {
  String out;
  int number = 0;
  for (const char* line : kSelfContained) {
    ++number;
    String text = line;
    for (const auto& [at, with] : replaced)
      if (at == number) text = with;
    out += text + "\r\n";
  }
  return out;
}

TEST_F(GlsToolTest, UnusableLinesAreReportedWithTheirFileAndLine) {
  const String form = Read("MainForm.dfm"), translations = Read("translations.txt");
  // A translation file line whose value the property cannot take, and one
  // whose literal is malformed: the load writes nothing.
  WriteFile(File("extra.txt"),
            "MainForm.ButtonClose.Caption%12='&Sortir'\r\nMainForm.ButtonClose.Width%12=1x\r\n");
  TRun load = Run({"load", "MainForm.dfm", "--locale", "12", "--from", "extra.txt"});
  EXPECT_EQ(load.Status, 1);
  EXPECT_EQ(load.Err,
            "gls: extra.txt, line 2: ButtonClose.Width=1x: '1x' is not a whole number [convert]\n");
  WriteFile(File("extra.txt"), "\r\nMainForm.ButtonClose.Caption%12='&Sortir'#x\r\n");
  load = Run({"load", "MainForm.dfm", "--locale", "12", "--from", "extra.txt"});
  EXPECT_EQ(load.Status, 1);
  EXPECT_TRUE(load.Err.starts_with("gls: extra.txt, line 2: ButtonClose.Caption='&Sortir'#x: "))
      << load.Err;
  EXPECT_EQ(Read("MainForm.dfm"), form);
  EXPECT_EQ(Read("translations.txt"), translations);

  // A line whose locale is no number, as loading and saving meet it.
  WriteFile(File("bad.txt"), "MainForm.Caption%7x='a'\r\nMainForm.Caption%xx='b'\r\n");
  EXPECT_TRUE(Run({"load", "MainForm.dfm", "--from", "bad.txt"})
                  .Err.starts_with("gls: bad.txt, line 1: MainForm.Caption%7x='a': "));
  EXPECT_TRUE(Run({"save", "MainForm.dfm", "--to", "bad.txt"})
                  .Err.starts_with("gls: bad.txt, line 2: MainForm.Caption%xx='b': "));

  // Saving several forms: the error names the form whose line it is, and
  // the forms before it are written, those after it not, whichever order.
  WriteFile(File("Inline.dfm"), SelfContained());
  const String bad = Read("bad.txt");
  TRun saved = Run({"save", "MainForm.dfm", "Inline.dfm", "--to", "bad.txt"});
  EXPECT_TRUE(saved.Err.starts_with("gls: bad.txt, line 2: MainForm.Caption%xx='b': "))
      << saved.Err;
  EXPECT_EQ(Read("bad.txt"), bad);
  saved = Run({"save", "Inline.dfm", "MainForm.dfm", "--to", "bad.txt"});
  EXPECT_TRUE(saved.Err.starts_with("gls: bad.txt, line 2: MainForm.Caption%xx='b': "))
      << saved.Err;
  EXPECT_EQ(Read("bad.txt"),
            "Inline.Btn.Caption%-1='OK'\r\nInline.Btn.Caption%7='Gut'\r\n"
            "Inline.Btn.Width%-1=75\r\nInline.Btn.Width%7=90\r\n" +
                bad);

  // A bad line already in the translators' own file, met when translating.
  String broken = translations;
  const String good = "MainForm.ButtonClose.Caption%7='&Schließen'";
  ASSERT_NE(broken.find(good), String::npos);
  broken.replace(broken.find(good), good.size(), "MainForm.ButtonClose.Width%7=7y");
  WriteFile(File("translations.txt"), broken);
  TRun translate = Run({"translate", "MainForm.dfm", "--locale", "7"});
  EXPECT_EQ(translate.Status, 1);
  EXPECT_TRUE(
      Contains(translate.Err, "translations.txt, line 6: ButtonClose.Width=7y: '7y' is not"))
      << translate.Err;

  // An entry kept in the form file: its line there.
  WriteFile(File("Inline.dfm"), SelfContained({{12, "      'Btn.Width=9x')"}}));
  translate = Run({"translate", "Inline.dfm", "--locale", "7"});
  EXPECT_EQ(translate.Err,
            "gls: Inline.dfm, line 12: Btn.Width=9x: '9x' is not a valid integer value\n");
  WriteFile(File("Inline.dfm"), SelfContained({{11, "      'Btn.Caption=''Gut''#x'"}}));
  TRun exported = Run({"dict", "export", "Inline.dfm", "--to", "de.dict"});
  EXPECT_TRUE(exported.Err.starts_with("gls: Inline.dfm, line 11: Btn.Caption='Gut'#x: "))
      << exported.Err;

  // A dictionary line whose translation the property it fills cannot take.
  WriteFile(File("Inline.dfm"), SelfContained());
  const String inlineForm = Read("Inline.dfm");
  WriteFile(File("de.dict"), "OK\tGut\r\n75\t80x\r\n100\t80x\r\n");
  TRun imported = Run({"dict", "import", "Inline.dfm", "--from", "de.dict"});
  EXPECT_EQ(imported.Err,
            "gls: de.dict, line 2: Btn.Width=80x: '80x' is not a whole number [convert]\n");
  EXPECT_EQ(Read("Inline.dfm"), inlineForm);
}

TEST_F(GlsToolTest, FormsWithNamesBeyondAscii) {
  WriteFile(File("Форма.dfm"),
            Lines({"object Форма1: TForm", "  Caption = 'Окно'", "  object Кнопка1: TButton",
                   "    Caption = 'OK'", "  end", "  object Переводчик: TGlossmith",
                   "    Locale = 7", "    Translate = False", "    Translations.Strings = (",
                   "      'Кнопка1.Caption=''Да''')", "  end", "end"}));
  TRun extract = Run({"extract", "--texts", "Форма.dfm"});
  ASSERT_EQ(extract.Status, 0) << extract.Err;
  EXPECT_TRUE(Contains(extract.Out, "\nКнопка1.Caption='OK'\n")) << extract.Out;
  ASSERT_EQ(Run({"save", "Форма.dfm", "--to", "ru.txt"}).Status, 0);
  EXPECT_EQ(Read("ru.txt"), "Форма1.Кнопка1.Caption%-1='OK'\r\nФорма1.Кнопка1.Caption%7='Да'\r\n");
  TRun translate = Run({"translate", "Форма.dfm", "--translator", "Переводчик"});
  ASSERT_EQ(translate.Status, 0) << translate.Err;
  EXPECT_TRUE(Contains(translate.Out, "  object Кнопка1: TButton\r\n")) << translate.Out;
  EXPECT_TRUE(Contains(translate.Out, "    Caption = #1044#1072\r\n")) << translate.Out;
}

TEST_F(GlsToolTest, MessagesNameUnnamedTranslatorsSensibly) {
  WriteFile(File("Unnamed.dfm"),
            Lines({"object Unnamed: TForm", "  Caption = 'Hello'", "  object TGlossmith",
                   "    Locale = 7", "  end", "  object TranslatorFrench: TGlossmith",
                   "    Locale = 12", "  end", "end"}));
  TRun empty = Run({"translate", "Unnamed.dfm", "--locale", "7"});
  ASSERT_EQ(empty.Status, 0) << empty.Err;
  EXPECT_EQ(empty.Err,
            "gls: Unnamed.dfm: the unnamed translator with Locale 7 has no translations; the "
            "form is written untranslated\n");
  TRun several = Run({"dict", "import", "Unnamed.dfm", "--from", "dictionary.txt"});
  EXPECT_EQ(several.Status, 1);
  EXPECT_TRUE(Contains(several.Err,
                       "several translators (an unnamed one with Locale 7, "
                       "TranslatorFrench)"))
      << several.Err;
}

TEST_F(GlsToolTest, ValuesTheFormReaderCannotTakeAreWarnedOfWithTheirLines) {
  WriteFile(File("Odd.dfm"),
            Lines({"object Odd: TForm", "  Caption = 'Hello'", "  Width = abc", "  Flavour = 3",
                   "  object B: TButton", "    Flavour = 1", "  end", "  object C: TButton",
                   "    Flavour = 2", "  end", "  object T: TTimer", "    Left = 8", "  end",
                   "end"}));
  TRun run = Run({"extract", "--texts", "Odd.dfm"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Hello"));
  // Each kind once, at its first place; a component's design place is no
  // unknown property.
  EXPECT_EQ(run.Err,
            "gls: Odd.dfm:3: warning: TForm.Width: abc is not a valid Integer value; it is kept "
            "as read\n"
            "gls: Odd.dfm:4: warning: TForm has no property Flavour; it is kept as read\n"
            "gls: Odd.dfm:6: warning: TButton has no property Flavour; it is kept as read (2 "
            "times)\n");
}

TEST_F(GlsToolTest, RealFormsFromOtherProjects) {
  GLS_REQUIRE_CORPUS(corpus);
  for (const char* name :
       {"delphidabbler__codesnip__Src_FmFavouritesDlg.dfm",
        "doublecmd__doublecmd__src_fFindDlg.lfm", "HeidiSQL__HeidiSQL__source_searchreplace.dfm"}) {
    fs::copy_file(fs::path(corpus) / name, File(name));
    TRun extract = Run({"extract", "--texts", name});
    EXPECT_EQ(extract.Status, 0) << name << ": " << extract.Err;
    EXPECT_FALSE(extract.Out.empty()) << name;
    TRun translate = Run({"translate", name, "--locale", "7", "-o", String(name) + ".out"});
    EXPECT_EQ(translate.Status, 0) << name << ": " << translate.Err;
    EXPECT_TRUE(FileExists(File(String(name) + ".out")));
    EXPECT_EQ(Run({"save", name, "--to", "corpus.txt"}).Status, 0) << name;
  }
}

TEST_F(GlsToolTest, DemoRunsOnTheBundledExample) {
  TRun run = Run({"demo"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Adressbuch"));
  EXPECT_TRUE(Contains(run.Out, "Carnet d'adresses"));
}

}  // namespace
