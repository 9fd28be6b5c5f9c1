#include <gtest/gtest.h>

#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/formfiles/FormFiles.h"

namespace {

// Each test installs the executor it needs; none survives it.
class DialogsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDialogExecutor(nullptr); }
  TForm Form{nullptr};
};

TEST_F(DialogsTest, WithoutAnExecutorADialogAnswersAsCancelled) {
  auto* dialog = new TOpenDialog(&Form);
  dialog->SetFileName("kept.txt");
  std::vector<String> log;
  dialog->OnShow = [&](TObject*) { log.push_back("show"); };
  dialog->OnClose = [&](TObject*) { log.push_back("close"); };
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), "kept.txt");
  EXPECT_EQ(log, (std::vector<String>{"show", "close"}));
}

TEST_F(DialogsTest, TheExecutorRunsBetweenShowAndCloseAndItsAnswerIsReturned) {
  auto* dialog = new TFontDialog(&Form);
  std::vector<String> log;
  dialog->OnShow = [&](TObject*) { log.push_back("show"); };
  dialog->OnClose = [&](TObject*) { log.push_back("close"); };
  bool answer = true;
  TCommonDialog* shown = nullptr;
  SetDialogExecutor([&](TCommonDialog& d) {
    log.push_back("run");
    shown = &d;
    return answer;
  });
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(shown, dialog);
  answer = false;
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(log, (std::vector<String>{"show", "run", "close", "show", "run", "close"}));
}

TEST_F(DialogsTest, AFileDialogShowsItsSettingsAndReturnsTheChosenFiles) {
  auto* dialog = new TSaveDialog(&Form);
  dialog->SetFilter("Forms|*.dfm|All files|*");
  dialog->SetFilterIndex(2);
  dialog->SetInitialDir("/tmp");
  dialog->SetOptions({ofOverwritePrompt, ofAllowMultiSelect});
  SetDialogExecutor([](TCommonDialog& d) {
    auto& files = dynamic_cast<TOpenDialog&>(d);
    EXPECT_TRUE(d.Is<TSaveDialog>());
    EXPECT_EQ(files.Filter(), "Forms|*.dfm|All files|*");
    EXPECT_EQ(files.FilterIndex(), 2);
    EXPECT_EQ(files.InitialDir(), "/tmp");
    EXPECT_TRUE(files.Options().Contains(ofAllowMultiSelect));
    files.SetFileName("/tmp/a.dfm");
    files.Files()->Add("/tmp/a.dfm");
    files.Files()->Add("/tmp/b.dfm");
    files.SetFilterIndex(1);
    return true;
  });
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), "/tmp/a.dfm");
  EXPECT_EQ(dialog->Files()->Text(), "/tmp/a.dfm\r\n/tmp/b.dfm\r\n");
  EXPECT_EQ(dialog->FilterIndex(), 1);
}

TEST_F(DialogsTest, TheFontDialogKeepsACopyOfTheFontItIsGiven) {
  auto* dialog = new TFontDialog(&Form);
  TFont* own = dialog->Font();
  TFont font;
  font.SetName("Arial");
  font.SetSize(12);
  dialog->SetFont(&font);
  EXPECT_EQ(dialog->Font(), own);
  EXPECT_TRUE(dialog->Font()->Equals(font));
  font.SetName("Courier");
  EXPECT_EQ(dialog->Font()->Name(), "Arial");

  // The font the user chose is read back from the dialog.
  SetDialogExecutor([](TCommonDialog& d) {
    TFont* chosen = dynamic_cast<TFontDialog&>(d).Font();
    chosen->SetStyle({fsBold});
    chosen->SetSize(14);
    return true;
  });
  ASSERT_TRUE(dialog->Execute());
  font.Assign(dialog->Font());
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 14);
  EXPECT_EQ(font.Style(), TFontStyles{fsBold});
}

TEST_F(DialogsTest, OptionsAreWrittenOnlyWhenTheyDifferFromANewDialogs) {
  auto* open = new TOpenDialog(&Form);
  open->SetName("OpenDialog1");
  auto* font = new TFontDialog(&Form);
  font->SetName("FontDialog1");
  Form.SetName("Form1");
  String written = WriteFormToString(&Form);
  EXPECT_EQ(written.find("Options"), String::npos) << written;
  EXPECT_EQ(written.find("FilterIndex"), String::npos) << written;

  open->SetOptions({ofFileMustExist});
  font->SetOptions({});
  written = WriteFormToString(&Form);
  std::unique_ptr<TComponent> back(ReadFormFromString(written));
  auto* openBack = dynamic_cast<TOpenDialog*>(back->FindComponent("OpenDialog1"));
  auto* fontBack = dynamic_cast<TFontDialog*>(back->FindComponent("FontDialog1"));
  ASSERT_TRUE(openBack && fontBack) << written;
  EXPECT_EQ(openBack->Options(), TOpenOptions{ofFileMustExist});
  EXPECT_EQ(fontBack->Options(), TFontDialogOptions{});
}

}  // namespace
