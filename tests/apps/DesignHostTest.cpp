// The gls tool as a design host, run as a user runs it: edit, inspect,
// verbs, verb and palette on a copy of the bundled example, with the
// editor's settings in a folder of the test's own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <thread>

#include "host/classes/FileLock.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct TDesignRun {
  int Status = -1;
  String Out, Err;
};

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

class DesignHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(fs::path(GLS_SOURCE_DIR) / "examples"))
      fs::copy_file(e.path(), FDir.Path() / e.path().filename());
  }

  // Runs the tool in the example's folder with the settings folder, PATH
  // and the other variables of `env` set for it.
  TDesignRun Run(const std::vector<String>& args,
                 const std::vector<std::pair<String, String>>& env = {}) {
    TempDir capture;
    const String out = capture.File("out"), err = capture.File("err");
    const pid_t pid = Start(args, out, err, env);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }

  // Starts the tool as Run does, its output and errors going to the files
  // `out` and `err`.
  pid_t Start(const std::vector<String>& args, const String& out, const String& err,
              const std::vector<std::pair<String, String>>& env = {}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::setenv("XDG_CONFIG_HOME", FSettings.Path().c_str(), 1);
      for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
      if (::chdir(FDir.Path().c_str()) != 0) ::_exit(127);
      ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
      ::dup2(::open("/dev/null", O_RDONLY), 0);
      std::vector<char*> argv{const_cast<char*>(GLS_TOOL)};
      for (const String& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(GLS_TOOL, argv.data());
      ::_exit(127);
    }
    return pid;
  }

  String File(const String& name) const { return FDir.File(name); }
  String Read(const String& name) const { return ReadFile(FDir.File(name)); }
  String Script(const String& text) {
    WriteFile(File("steps.script"), text);
    return "steps.script";
  }

  // Every file of the folder with its bytes and its time of change.
  std::map<String, std::pair<String, fs::file_time_type>> Files() const {
    std::map<String, std::pair<String, fs::file_time_type>> files;
    for (const auto& e : fs::directory_iterator(FDir.Path()))
      files[e.path().filename().string()] = {ReadFile(e.path().string()),
                                             fs::last_write_time(e.path())};
    return files;
  }

  TempDir FDir;
  TempDir FSettings;
};

const char* const FrenchMinimize =
    "click BtnNew\ninput \"SystemMenuMinimize\"\nfocus EdtTranslation\ntype \"Réd&uire\"\n"
    "click BtnOK\n";

TEST_F(DesignHostTest, EditPutsANewTranslationIntoTheFormsTranslationFile) {
  const String form = Read("MainForm.dfm");
  const TDesignRun run =
      Run({"edit", "MainForm.dfm", "--locale", "12", "--script", Script(FrenchMinimize), "-v"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, File("translations.txt") + "\n") << "the one file written";
  const String translations = Read("translations.txt");
  EXPECT_TRUE(Contains(translations,
                       "MainForm.SystemMenuMinimize%-1='Mi&nimize'\r\n"
                       "MainForm.SystemMenuMinimize%12='Réd&uire'\r\n"));
  EXPECT_TRUE(Contains(translations, "MainForm.ButtonClose.Caption%7='&Schließen'"))
      << "the German lines stay";
  EXPECT_EQ(Read("MainForm.dfm"), form) << "its list is in the file: the form is as it was";
  EXPECT_FALSE(fs::exists(File("MainForm.dfm.lock")));
  EXPECT_FALSE(fs::exists(File("translations.txt.lock")));

  // The editor's Save writes a file too, listed with the one the edit wrote.
  const TDesignRun saved = Run({"edit", "MainForm.dfm", "--locale", "12", "--script",
                                Script("select-page FormNotebook 5\nclick BtnSave\n"
                                       "file \"saved.txt\"\nclick BtnCancel\n"),
                                "-v"});
  ASSERT_EQ(saved.Status, 0) << saved.Err;
  EXPECT_EQ(saved.Err, "saved.txt\n");
  EXPECT_TRUE(Contains(Read("saved.txt"), "MainForm.SystemMenuMinimize%0='Réd&uire'"));

  // The bundled script does the same.
  const TDesignRun bundled = Run({"edit", "OptionsDialog.dfm", "--translator", "TranslatorFrench",
                                  "--script", "edit-french.script"});
  ASSERT_EQ(bundled.Status, 0) << bundled.Err;
  EXPECT_TRUE(Contains(Read("translations.txt"), "OptionsDialog.SystemMenuMinimize%12='Réd&uire'"));
}

TEST_F(DesignHostTest, EditsOfOneFormAtOnceKeepEveryChange) {
  // Eight people change one line each of the German list at the same time.
  const int count = 8;
  const String before = Read("translations.txt");
  TempDir capture;
  std::vector<pid_t> running;
  for (int i = 0; i < count; ++i) {
    const String n = IntToStr(i);
    const String script = "edit" + n + ".script";
    WriteFile(File(script), "click-item PropList " + n + "\nfocus EdtTranslation\ntype \"@" + n +
                                "@\"\nclick BtnOK\n");
    running.push_back(Start({"edit", "MainForm.dfm", "--locale", "7", "--script", script},
                            capture.File("out" + n), capture.File("err" + n)));
  }
  for (int i = 0; i < count; ++i) {
    int status = 0;
    ::waitpid(running[static_cast<size_t>(i)], &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << ReadFile(capture.File("err" + IntToStr(i)));
  }
  const String after = Read("translations.txt");
  std::vector<String> changed;
  size_t start = 0;
  for (size_t end; (end = after.find("\r\n", start)) != String::npos; start = end + 2) {
    const String line = after.substr(start, end - start);
    if (!Contains(before, line + "\r\n")) changed.push_back(line);
  }
  EXPECT_EQ(changed.size(), static_cast<size_t>(count)) << after;
  for (int i = 0; i < count; ++i)
    EXPECT_TRUE(Contains(after, "@" + IntToStr(i) + "@")) << "the change of edit " << i << "\n"
                                                          << after;
  EXPECT_TRUE(Contains(after, "MainForm.ButtonClose.Caption%12='&Fermer'")) << "French stays";
}

// The line of `text` that holds `part`.
String LineWith(const String& text, const String& part) {
  const size_t at = text.find(part);
  if (at == String::npos) return String();
  const size_t start = text.rfind('\n', at) + 1;
  return text.substr(start, text.find('\r', at) - start);
}

TEST_F(DesignHostTest, AnEntryAnotherProgramChangedMeanwhileIsNotOverwritten) {
  // Ticking the check box writes the editor's settings: then the form has
  // been read. The edit then waits for the translation file's lock, which
  // the test holds while it changes the file as another program would.
  const String script =
      "select-page FormNotebook 1\nclick CkxMove\nselect-page FormNotebook 0\n"
      "click-item PropList 0\nfocus EdtTranslation\ntype \"@mine@\"\nclick BtnOK\n";
  const String original = Read("translations.txt");
  ASSERT_EQ(Run({"edit", "MainForm.dfm", "--locale", "7", "--script", Script(script)}).Status, 0);
  const String edited = LineWith(Read("translations.txt"), "@mine@");
  ASSERT_FALSE(edited.empty());
  const String path = edited.substr(0, edited.find('%'));
  const String untouched = LineWith(original, path + "%7=");
  ASSERT_FALSE(untouched.empty());

  auto editWhileChanged = [&](const String& from, const String& to) {
    WriteFile(File("translations.txt"), original);
    fs::remove_all(FSettings.Path());
    fs::create_directories(FSettings.Path());
    TempDir capture;
    pid_t pid = -1;
    {
      TFileLock held(File("translations.txt"));
      pid = Start({"edit", "MainForm.dfm", "--locale", "7", "--script", "steps.script"},
                  capture.File("out"), capture.File("err"), {{"GLS_LOCK_WAIT", "60"}});
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (fs::recursive_directory_iterator(FSettings.Path()) ==
                 fs::recursive_directory_iterator() &&
             std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      String text = original;
      text.replace(text.find(from), from.size(), to);
      WriteFile(File("translations.txt"), text);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return TDesignRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(capture.File("out")),
                      ReadFile(capture.File("err"))};
  };
  // Another entry changed meanwhile: both changes are kept.
  String other = "MainForm.ButtonClose.Caption%7='&Schließen'";
  if (other.starts_with(path + "%")) other = "MainForm.Caption%7='Adressbuch'";
  const TDesignRun merged = editWhileChanged(other, other.substr(0, other.find('=')) + "='theirs'");
  EXPECT_EQ(merged.Status, 0) << merged.Err;
  EXPECT_TRUE(Contains(Read("translations.txt"), other.substr(0, other.find('=')) + "='theirs'"));
  EXPECT_TRUE(Contains(Read("translations.txt"), edited + "\r\n"));
  // The same entry changed meanwhile: the edit fails and the other change stays.
  const TDesignRun refused = editWhileChanged(untouched, path + "%7='theirs'");
  EXPECT_EQ(refused.Status, 1);
  EXPECT_TRUE(Contains(refused.Err, "was changed by another program")) << refused.Err;
  EXPECT_TRUE(Contains(Read("translations.txt"), path + "%7='theirs'\r\n"));
  EXPECT_FALSE(Contains(Read("translations.txt"), "@mine@"));
}

TEST_F(DesignHostTest, ATranslationFileOutsideTheFormsFolderIsShownAndWrittenOnlyAfterAYes) {
  TempDir elsewhere;
  const String outside = elsewhere.File("texts.txt");
  String form = Read("MainForm.dfm");
  for (size_t at; (at = form.find("'translations.txt'")) != String::npos;)
    form.replace(at, 18, "'" + outside + "'");
  WriteFile(File("MainForm.dfm"), form);
  const auto before = Files();

  const TDesignRun no = Run({"edit", "MainForm.dfm", "--locale", "12", "--script",
                             Script(String("answer no\n") + FrenchMinimize)});
  EXPECT_EQ(no.Status, 1);
  EXPECT_TRUE(Contains(no.Err, "keeps its list in " + outside + ", outside the form's folder"))
      << no.Err;
  EXPECT_TRUE(Contains(no.Err, "--allow-outside")) << no.Err;
  fs::remove(File("steps.script"));
  EXPECT_EQ(Files(), before);
  EXPECT_FALSE(fs::exists(outside));

  const TDesignRun yes = Run({"edit", "MainForm.dfm", "--locale", "12", "--script",
                              Script(String("answer yes\n") + FrenchMinimize), "-v"});
  ASSERT_EQ(yes.Status, 0) << yes.Err;
  EXPECT_EQ(yes.Err, outside + "\n");
  EXPECT_TRUE(Contains(ReadFile(outside), "MainForm.SystemMenuMinimize%12='Réd&uire'"));

  fs::remove(outside);
  const TDesignRun allowed = Run({"edit", "MainForm.dfm", "--locale", "12", "--script",
                                  Script(FrenchMinimize), "--allow-outside"});
  ASSERT_EQ(allowed.Status, 0) << allowed.Err;
  EXPECT_TRUE(Contains(ReadFile(outside), "MainForm.SystemMenuMinimize%12='Réd&uire'"));
}

TEST_F(DesignHostTest, SettingsThatCannotBeWrittenAreAWarningAndTheEditIsKept) {
  // The settings folder is a file; then there is no home folder at all.
  WriteFile(File("not-a-folder"), "x");
  const std::vector<std::vector<std::pair<String, String>>> places = {
      {{"XDG_CONFIG_HOME", File("not-a-folder")}}, {{"XDG_CONFIG_HOME", ""}, {"HOME", ""}}};
  for (const auto& env : places) {
    const TDesignRun run =
        Run({"edit", "MainForm.dfm", "--locale", "12", "--script", Script(FrenchMinimize)}, env);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(Contains(run.Err, "gls: warning: the editor's settings are not saved: ")) << run.Err;
    EXPECT_TRUE(Contains(Read("translations.txt"), "MainForm.SystemMenuMinimize%12='Réd&uire'"));
    WriteFile(File("translations.txt"), ReadFile(String(GLS_SOURCE_DIR) + "/examples/translations.txt"));
  }
}

TEST_F(DesignHostTest, APathNoReaderCouldReadBackIsRefusedWhereItIsTyped) {
  const String translations = Read("translations.txt");
  const String script = "click BtnNew\ninput \"" + String(5000, 'P') +
                        "\"\nanswer ok\nclick BtnOK\n";
  const TDesignRun run = Run({"edit", "MainForm.dfm", "--locale", "12", "--script", Script(script)});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(Read("translations.txt"), translations) << "nothing changed, nothing written";
  const TDesignRun show = Run({"show", "MainForm.dfm", "--locale", "12"});
  EXPECT_EQ(show.Status, 0) << show.Err;
}

TEST_F(DesignHostTest, OKWithoutChangesCancelOrAFailingScriptTouchNoFile) {
  const auto before = Files();
  for (const char* script : {"click BtnOK\n", "click BtnCancel\n",
                             // typed, then thrown away
                             "click-item PropList 0\nfocus EdtTranslation\ntype \"x\"\n"
                             "click BtnCancel\nanswer yes\n"}) {
    const TDesignRun run = Run(
        {"edit", "MainForm.dfm", "--translator", "TranslatorGerman", "--script", Script(script)});
    EXPECT_EQ(run.Status, 0) << script << run.Err;
    EXPECT_EQ(run.Err, "") << script;
    fs::remove(File("steps.script"));
    EXPECT_EQ(Files(), before) << script;
  }
  // A script out of step with the dialog stops with nothing written.
  const TDesignRun wrong =
      Run({"edit", "MainForm.dfm", "--locale", "7", "--script", Script("click BtnNope\n")});
  EXPECT_EQ(wrong.Status, 1);
  EXPECT_TRUE(Contains(wrong.Err, "gls: steps.script: Script step 1 (line 1)")) << wrong.Err;
  const TDesignRun extra = Run({"edit", "MainForm.dfm", "--locale", "7", "--script",
                                Script(String(FrenchMinimize) + "answer yes\n")});
  EXPECT_EQ(extra.Status, 1);
  EXPECT_TRUE(Contains(extra.Err, "1 steps of the script were not taken; nothing was written"))
      << extra.Err;
  fs::remove(File("steps.script"));
  EXPECT_EQ(Files(), before);
}

TEST_F(DesignHostTest, AFormThatKeepsItsListIsWrittenBackWithTheNewEntry) {
  // A form whose translator keeps its list in the form, with Translate True.
  WriteFile(File("Dialog.dfm"),
            "object Dialog: TForm\r\n  Caption = 'Settings'\r\n"
            "  object Translator: TGlossmith\r\n    Locale = 12\r\n"
            "    Translations.Strings = (\r\n      'Caption=''Réglages''')\r\n  end\r\nend\r\n");
  const TDesignRun run =
      Run({"edit", "Dialog.dfm", "--script",
           Script("click BtnNew\ninput \"SystemMenuClose\"\nfocus EdtTranslation\ntype \"Fermer\"\n"
                  "click BtnOK\n"),
           "-v"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const String form = Read("Dialog.dfm");
  EXPECT_TRUE(
      Contains(form, "      'Caption=''R'#233'glages'''\r\n      'SystemMenuClose=''Fermer''')"))
      << form;
  EXPECT_TRUE(Contains(form, "Caption = 'Settings'")) << "shown untranslated: not translated";
  EXPECT_TRUE(Contains(form, "Translate = False")) << "as a designer leaves it";
  EXPECT_TRUE(Contains(run.Err, "Translator is written with Translate False")) << run.Err;
  EXPECT_TRUE(run.Err.ends_with("\nDialog.dfm\n")) << "the one file written";
}

TEST_F(DesignHostTest, EditNeedsAScriptOrADisplayAndOneTranslator) {
  const auto before = Files();
  const TDesignRun none = Run({"edit", "MainForm.dfm", "--locale", "12"});
  EXPECT_EQ(none.Status, 1);
  EXPECT_EQ(none.Err,
            "gls: the translations editor needs a person at a display, or a script: give "
            "--script FILE\n");
  const TDesignRun several = Run({"edit", "MainForm.dfm", "--script", Script("click BtnOK\n")});
  EXPECT_EQ(several.Status, 1);
  EXPECT_TRUE(Contains(several.Err, "several translators (TranslatorFrench, TranslatorGerman)"))
      << several.Err;
  WriteFile(File("Plain.dfm"), "object Plain: TForm\r\n  Caption = 'x'\r\nend\r\n");
  const TDesignRun without = Run({"edit", "Plain.dfm", "--script", "steps.script"});
  EXPECT_EQ(without.Status, 1);
  EXPECT_TRUE(Contains(without.Err, "Plain.dfm: the form has no translator")) << without.Err;
  EXPECT_EQ(Run({"edit", "MainForm.dfm", "--script", "missing.script"}).Status, 1);
  EXPECT_EQ(Run({"edit"}).Status, 2);
  fs::remove(File("steps.script"));
  fs::remove(File("Plain.dfm"));
  EXPECT_EQ(Files(), before);
}

TEST_F(DesignHostTest, TheInspectorVerbsAndPalette) {
  const TDesignRun inspect = Run({"inspect", "MainForm.dfm", "TranslatorFrench"});
  ASSERT_EQ(inspect.Status, 0) << inspect.Err;
  EXPECT_TRUE(Contains(inspect.Out,
                       "Property        Editing           Value\n"
                       "--------------  ----------------  -----\n"
                       "About           read-only dialog  (About...)\n"
                       "FileName        typed dialog      translations.txt\n"))
      << inspect.Out;
  EXPECT_TRUE(Contains(inspect.Out, "Translate       typed list        False\n"));
  EXPECT_TRUE(Contains(inspect.Out, "Translations    read-only dialog  [Form Editor]\n"));
  const TDesignRun form = Run({"inspect", "MainForm.dfm"});
  EXPECT_TRUE(Contains(form.Out, "Caption ")) << "the form itself";
  EXPECT_TRUE(Contains(form.Out, "Address Book\n"));
  EXPECT_TRUE(Contains(Run({"inspect", "MainForm.dfm", "ButtonClose", "--events"}).Out,
                       "ButtonCloseClick\n"));
  EXPECT_EQ(Run({"inspect", "MainForm.dfm", "Nothing"}).Status, 1);

  const TDesignRun verbs = Run({"verbs", "MainForm.dfm", "TranslatorGerman"});
  EXPECT_EQ(verbs.Status, 0);
  EXPECT_EQ(verbs.Out, "0\tForm Translation Editor\n1\tAbout Glossmith\n2\tHelp Contents\n");
  const TDesignRun button = Run({"verbs", "MainForm.dfm", "ButtonClose"});
  EXPECT_EQ(button.Status, 0);
  EXPECT_EQ(button.Out, "");

  EXPECT_EQ(Run({"palette"}).Out, "Orvanta\n  TGlossmith\n");
  const TDesignRun bitmap = Run({"palette", "--bitmap", "palette.bmp", "-v"});
  EXPECT_EQ(bitmap.Status, 0) << bitmap.Err;
  EXPECT_EQ(bitmap.Err, "palette.bmp\n");
  EXPECT_EQ(Read("palette.bmp"), ReadFile(String(GLS_SOURCE_DIR) + "/design/TGlossmith.bmp"));
  EXPECT_EQ(Run({"palette", "TButton"}).Status, 1);
}

TEST_F(DesignHostTest, VerbsRunWithTheScriptAndTheHelpOpensInTheViewer) {
  const TDesignRun about =
      Run({"verb", "MainForm.dfm", "TranslatorFrench", "1", "--script", Script("answer ok\n")});
  EXPECT_EQ(about.Status, 0) << about.Err;
  const TDesignRun nobody = Run({"verb", "MainForm.dfm", "TranslatorFrench", "1"});
  EXPECT_EQ(nobody.Status, 1);
  EXPECT_TRUE(Contains(nobody.Err, "The message box \"About ...\" needs a person at a display"))
      << nobody.Err;
  const TDesignRun noVerb = Run({"verb", "MainForm.dfm", "TranslatorFrench", "3"});
  EXPECT_EQ(noVerb.Status, 1);
  EXPECT_TRUE(Contains(noVerb.Err, "TranslatorFrench has no verb 3")) << noVerb.Err;

  // Verb 0 is the editor, as edit runs it.
  const TDesignRun editor =
      Run({"verb", "MainForm.dfm", "TranslatorFrench", "0", "--script", Script(FrenchMinimize)});
  ASSERT_EQ(editor.Status, 0) << editor.Err;
  EXPECT_TRUE(Contains(Read("translations.txt"), "MainForm.SystemMenuMinimize%12='Réd&uire'"));

  // Help Contents: a viewer that notes what it opens; none at all is no error.
  TempDir bin;
  const String viewer = bin.File("xdg-open");
  WriteFile(viewer, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\n");
  ::chmod(viewer.c_str(), 0755);
  const TDesignRun help =
      Run({"verb", "MainForm.dfm", "TranslatorFrench", "2"}, {{"PATH", bin.Path().string()}});
  EXPECT_EQ(help.Status, 0) << help.Err;
  for (int i = 0; i < 1000 && !fs::exists(viewer + ".args"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const String opened = ReadFile(viewer + ".args");
  EXPECT_TRUE(opened.ends_with("/index.html\n")) << opened;
  EXPECT_TRUE(fs::exists(opened.substr(0, opened.size() - 1))) << "the help document itself";
  const TDesignRun noViewer =
      Run({"verb", "MainForm.dfm", "TranslatorFrench", "2"}, {{"PATH", "/nonexistent"}});
  EXPECT_EQ(noViewer.Status, 0);
  EXPECT_EQ(noViewer.Err, "");
}

}  // namespace
