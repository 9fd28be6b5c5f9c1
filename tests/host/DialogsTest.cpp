#include <gtest/gtest.h>

#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/formfiles/FormFiles.h"

namespace {

// A service whose dialogs answer as the test says.
class TTestService : public TUserInterface {
 public:
  std::vector<TMessageRequest> Messages;
  Integer Answer = mrCancel;
  std::function<bool(TInputRequest&)> Input;
  std::function<bool(TFileDialogRequest&)> File;
  std::function<bool(TFontData&)> Font;

  void RunModal(TComponent*, const std::function<bool()>&) override {}
  Integer MessageBox(const TMessageRequest& request) override {
    Messages.push_back(request);
    return Answer;
  }
  bool InputQuery(TInputRequest& request) override { return Input && Input(request); }
  bool FileDialog(TFileDialogRequest& request) override { return File && File(request); }
  bool FontDialog(TFontData& font) override { return Font && Font(font); }
};

// Each test answers through its own service; none survives it.
class DialogsTest : public ::testing::Test {
 protected:
  TForm Form{nullptr};
  TTestService Service;
  TUserInterfaceScope Scope{Service};
};

TEST(DialogsHeadlessTest, WithoutAServiceADialogAnswersAsCancelled) {
  TForm Form{nullptr};
  auto* dialog = new TOpenDialog(&Form);
  dialog->SetFileName("kept.txt");
  std::vector<String> log;
  dialog->OnShow = [&](TObject*) { log.push_back("show"); };
  dialog->OnClose = [&](TObject*) { log.push_back("close"); };
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), "kept.txt");
  EXPECT_EQ(log, (std::vector<String>{"show", "close"}));
}

TEST_F(DialogsTest, TheServiceRunsBetweenShowAndCloseAndItsAnswerIsReturned) {
  auto* dialog = new TFontDialog(&Form);
  dialog->Font()->SetName("Tahoma");
  std::vector<String> log;
  dialog->OnShow = [&](TObject*) { log.push_back("show"); };
  dialog->OnClose = [&](TObject*) { log.push_back("close"); };
  bool answer = true;
  String shown;
  Service.Font = [&](TFontData& font) {
    log.push_back("run");
    shown = font.Name;
    return answer;
  };
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(shown, "Tahoma");
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
  Service.File = [](TFileDialogRequest& files) {
    EXPECT_TRUE(files.Save);
    EXPECT_EQ(files.Filter, "Forms|*.dfm|All files|*");
    EXPECT_EQ(files.FilterIndex, 2);
    EXPECT_EQ(files.InitialDir, "/tmp");
    EXPECT_TRUE(files.MultiSelect);
    files.FileName = "/tmp/a.dfm";
    files.Files = {"/tmp/a.dfm", "/tmp/b.dfm"};
    files.FilterIndex = 1;
    return true;
  };
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
  Service.Font = [](TFontData& chosen) {
    chosen.Bold = true;
    chosen.Size = 14;
    return true;
  };
  ASSERT_TRUE(dialog->Execute());
  font.Assign(dialog->Font());
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 14);
  EXPECT_EQ(font.Style(), TFontStyles{fsBold});
}

TEST_F(DialogsTest, AMessageBoxIsCaptionedByItsKindAndAnswersWithTheButtonChosen) {
  Service.Answer = mrYes;
  EXPECT_EQ(MessageDlg("Remove it ?", mtWarning, {mbYes, mbNo}, 7), mrYes);
  MessageDlg("Sure ?", mtConfirmation, {mbOK, mbCancel}, 0);
  String title = Application->Title();
  Application->SetTitle("Address Book");
  ShowMessage("Saved");
  Application->SetTitle(title);
  ASSERT_EQ(Service.Messages.size(), 3u);
  const TMessageRequest& warning = Service.Messages[0];
  EXPECT_EQ(warning.Caption, "Warning");
  EXPECT_EQ(warning.Text, "Remove it ?");
  EXPECT_EQ(warning.Type, mtWarning);
  EXPECT_EQ(warning.Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_EQ(warning.HelpContext, 7);
  EXPECT_EQ(Service.Messages[1].Caption, "Confirm");
  EXPECT_EQ(Service.Messages[2].Caption, "Address Book");
  EXPECT_EQ(Service.Messages[2].Buttons, TMsgDlgButtons{mbOK});
}

TEST_F(DialogsTest, AnInputBoxChangesTheValueOnlyOnOk) {
  String shown;
  bool ok = true;
  Service.Input = [&](TInputRequest& request) {
    shown = request.Caption + "/" + request.Prompt + "/" + request.Value;
    request.Value = "Caption";
    return ok;
  };
  String value = "start";
  EXPECT_TRUE(InputQuery("Add a property", "Please enter the property name", value));
  EXPECT_EQ(shown, "Add a property/Please enter the property name/start");
  EXPECT_EQ(value, "Caption");
  ok = false;
  value = "kept";
  EXPECT_FALSE(InputQuery("Add", "Name", value));
  EXPECT_EQ(value, "kept");
  EXPECT_EQ(InputBox("Add", "Name", "default"), "default");
  ok = true;
  EXPECT_EQ(InputBox("Add", "Name", "default"), "Caption");
}

TEST_F(DialogsTest, TheChosenFileIsTheOnlyFileAndACancelledDialogKeepsTheLastChoice) {
  auto* dialog = new TOpenDialog(&Form);
  dialog->SetDefaultExt("txt");
  bool confirm = true;
  Service.File = [&](TFileDialogRequest& request) {
    EXPECT_FALSE(request.Save);
    EXPECT_EQ(request.DefaultExt, "txt");
    request.FileName = "/tmp/dict.txt";
    return confirm;
  };
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->Files()->Text(), "/tmp/dict.txt\r\n");
  confirm = false;
  dialog->SetFileName("/tmp/other.txt");
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), "/tmp/other.txt");
  EXPECT_EQ(dialog->Files()->Count(), 1);
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
