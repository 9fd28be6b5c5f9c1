#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "host/platform/Registry.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

// Every test keeps its settings in a folder of its own, never the user's.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    FOld = old ? old : "";
    FHadOld = old != nullptr;
    setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1);
  }
  void TearDown() override {
    if (FHadOld)
      setenv("XDG_CONFIG_HOME", FOld.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }
  TempDir Dir;

 private:
  String FOld;
  bool FHadOld = false;
};

TEST_F(RegistryTest, AKeyIsOneIniFileWithSectionsInTheConfigurationFolder) {
  EXPECT_EQ(TRegIniFile::KeyFileName("Software\\Orvanta"), Dir.File("Orvanta.ini"));
  EXPECT_EQ(TRegIniFile::KeyFileName("Software\\Orvanta\\Tools"), Dir.File("Orvanta/Tools.ini"));
  EXPECT_EQ(TRegIniFile::KeyFileName("Control Panel\\Desktop"),
            Dir.File("Control Panel/Desktop.ini"));

  TRegIniFile settings("Software\\Orvanta");
  EXPECT_EQ(settings.ReadString("Glossmith", "EditFontName", "Arial"), "Arial");
  EXPECT_EQ(settings.ReadInteger("Glossmith", "ReadingOrderIndex", 1), 1);
  EXPECT_TRUE(settings.ReadBool("Glossmith", "MoveNextUntranslated", true));
  EXPECT_FALSE(std::filesystem::exists(settings.FileName())) << "reading creates nothing";

  settings.WriteBool("Glossmith", "MoveNextUntranslated", false);
  settings.WriteString("Glossmith", "EditFontName", "Courier New");
  settings.WriteInteger("Glossmith", "ReadingOrderIndex", 0);
  settings.WriteString("Other", "A", "1");
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")),
            "[Glossmith]\nMoveNextUntranslated=0\nEditFontName=Courier New\n"
            "ReadingOrderIndex=0\n\n[Other]\nA=1\n");

  // Names and sections compare ignoring case; a value changes in place.
  TRegIniFile again("Software\\Orvanta");
  EXPECT_FALSE(again.ReadBool("glossmith", "movenextuntranslated", true));
  EXPECT_EQ(again.ReadInteger("Glossmith", "ReadingOrderIndex", 1), 0);
  again.WriteString("Glossmith", "editfontname", "Arial");
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")),
            "[Glossmith]\nMoveNextUntranslated=0\neditfontname=Arial\n"
            "ReadingOrderIndex=0\n\n[Other]\nA=1\n");
}

TEST_F(RegistryTest, TextsKeepEveryCharacterAndBlankValuesEndNothing) {
  TRegIniFile settings("Software\\Orvanta");
  settings.WriteString("S", "Lines", "one\r\ntwo \\ three=four");
  settings.WriteString("S", "Blank", "");
  EXPECT_EQ(settings.ReadString("S", "Lines", ""), "one\r\ntwo \\ three=four");
  EXPECT_TRUE(settings.ValueExists("S", "Blank"));
  EXPECT_EQ(settings.ReadString("S", "Blank", "default"), "");
}

TEST_F(RegistryTest, ValuesThatCannotBeReadAsTheirKindGiveTheDefault) {
  WriteFile(Dir.File("Orvanta.ini"), "[S]\nCount=twelve\nFlag=maybe\nBig=99999999999\n");
  TRegIniFile settings("Software\\Orvanta");
  EXPECT_EQ(settings.ReadInteger("S", "Count", 7), 7);
  EXPECT_TRUE(settings.ReadBool("S", "Flag", true));
  EXPECT_EQ(settings.ReadInteger("S", "Big", 3), 3);
}

TEST_F(RegistryTest, ACorruptFileReadsAsAbsentValuesAndIsNeverMadeWorse) {
  using namespace std::string_literals;
  const String garbage =
      "\x00\x01[not a section\r\n=no name\n\xff\xfe junk\r\n[S]\r\nKept=yes\r\nbroken line\r\n"s;
  WriteFile(Dir.File("Orvanta.ini"), garbage);
  TRegIniFile settings("Software\\Orvanta");
  EXPECT_EQ(settings.ReadString("S", "Missing", "d"), "d");
  EXPECT_EQ(settings.ReadString("S", "Kept", ""), "yes");

  // Writing changes one line or adds one, in the file's own line ends; every
  // other byte stays.
  settings.WriteString("S", "Kept", "no");
  settings.WriteString("S", "New", "1");
  settings.WriteString("T", "X", "2");
  String expected = garbage;
  expected.replace(expected.find("Kept=yes"), 8, "Kept=no");
  expected.insert(expected.find("broken line\r\n") + 13, "New=1\r\n");
  expected += "\r\n[T]\r\nX=2\r\n";
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")), expected);
}

TEST_F(RegistryTest, AFileWithoutAFinalLineEndGetsTheNewSectionAfterALineEnd) {
  // Texts long enough that adding the line end moves them in memory.
  const String valueLine = "LongName=a value long enough to live outside the string itself";
  WriteFile(Dir.File("Orvanta.ini"), "[Other]\n" + valueLine);
  TRegIniFile settings("Software\\Orvanta");
  settings.WriteString("S", "A", "v");
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")), "[Other]\n" + valueLine + "\n\n[S]\nA=v\n");

  const String foreign = "a foreign line without any section and without a line end";
  WriteFile(Dir.File("Orvanta.ini"), foreign);
  TRegIniFile other("Software\\Orvanta");
  other.WriteString("S", "A", "v");
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")), foreign + "\n\n[S]\nA=v\n");
  EXPECT_EQ(TRegIniFile("Software\\Orvanta").ReadString("S", "A", ""), "v");

  // A file that ends in a CR of its own: the CR ends the last line, which
  // reads the same once a line added after it completes its CR LF.
  WriteFile(Dir.File("Orvanta.ini"), "[S]\r\nB=kept\r");
  TRegIniFile crEnded("Software\\Orvanta");
  EXPECT_EQ(crEnded.ReadString("S", "B", ""), "kept");
  crEnded.WriteString("S", "A", "v");
  crEnded.WriteString("S", "C", "w");
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")), "[S]\r\nB=kept\r\nA=v\r\nC=w");
  EXPECT_EQ(TRegIniFile("Software\\Orvanta").ReadString("S", "B", ""), "kept");
}

TEST_F(RegistryTest, ASettingsObjectReadsItsFileOnceAndAnswersFromWhatItWrote) {
  String text = "[Glossmith]\n";
  for (int i = 0; i < 10000; ++i) text += "Common" + IntToStr(i) + "=Prop" + IntToStr(i) + "\n";
  WriteFile(Dir.File("Orvanta.ini"), text);
  TRegIniFile settings("Software\\Orvanta");
  EXPECT_EQ(settings.ReadString("Glossmith", "Common0", ""), "Prop0");
  // What another program writes later is seen by the next settings object.
  WriteFile(Dir.File("Orvanta.ini"), "[Glossmith]\nCommon0=changed\n");
  for (int i = 0; i < 10000; ++i)
    ASSERT_EQ(settings.ReadString("Glossmith", "common" + IntToStr(i), ""), "Prop" + IntToStr(i));
  EXPECT_EQ(TRegIniFile("Software\\Orvanta").ReadString("Glossmith", "Common0", ""), "changed");

  // A write reads the file afresh under its lock and keeps what it wrote.
  settings.WriteString("Glossmith", "Common1", "mine");
  EXPECT_EQ(settings.ReadString("Glossmith", "Common0", ""), "changed");
  EXPECT_EQ(settings.ReadString("Glossmith", "Common1", ""), "mine");
  EXPECT_EQ(settings.ReadString("Glossmith", "Common2", "gone"), "gone");

  // Several values at once leave the file as the writes one by one do.
  settings.WriteStrings("Glossmith", {{"Common0", "a"}, {"Common5", "b"}, {"Common0", "c"}});
  TRegIniFile oneByOne("Software\\Tools");
  oneByOne.WriteString("Glossmith", "Common0", "changed");
  oneByOne.WriteString("Glossmith", "Common1", "mine");
  for (auto [name, value] : {std::pair{"Common0", "a"}, {"Common5", "b"}, {"Common0", "c"}})
    oneByOne.WriteString("Glossmith", name, value);
  EXPECT_EQ(ReadFile(Dir.File("Orvanta.ini")), ReadFile(Dir.File("Tools.ini")));
}

TEST_F(RegistryTest, WithoutAHomeSettingsReadAsAbsentAndAreNotWritten) {
  const char* home = std::getenv("HOME");
  const String oldHome = home ? home : "";
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(Dir.Path());
  TRegIniFile settings("Software\\Orvanta");
  EXPECT_EQ(settings.FileName(), "");
  EXPECT_EQ(settings.ReadString("S", "A", "d"), "d");
  EXPECT_THROW(settings.WriteString("S", "A", "v"), EFCreateError);
  std::filesystem::current_path(cwd);
  if (home) setenv("HOME", oldHome.c_str(), 1);
  EXPECT_TRUE(std::filesystem::is_empty(Dir.Path())) << "nothing is left in the working folder";
}

TEST_F(RegistryTest, AFolderInTheWayIsAnErrorAndNoValue) {
  std::filesystem::create_directory(Dir.Path() / "Orvanta.ini");
  TRegIniFile settings("Software\\Orvanta");
  EXPECT_EQ(settings.ReadString("S", "A", "d"), "d");
  EXPECT_THROW(settings.WriteString("S", "A", "v"), EStreamError);
}

TEST_F(RegistryTest, ProgramsWritingAtOnceLoseNothing) {
  constexpr int Writers = 8;
  constexpr int Values = 15;
  std::vector<pid_t> children;
  for (int w = 0; w < Writers; ++w) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      try {
        TRegIniFile settings("Software\\Orvanta");
        for (int v = 0; v < Values; ++v)
          settings.WriteInteger("Writer" + IntToStr(w), "Value" + IntToStr(v), v);
      } catch (...) {
        status = 1;
      }
      _exit(status);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  TRegIniFile settings("Software\\Orvanta");
  for (int w = 0; w < Writers; ++w)
    for (int v = 0; v < Values; ++v)
      EXPECT_EQ(settings.ReadInteger("Writer" + IntToStr(w), "Value" + IntToStr(v), -1), v);
}

}  // namespace
