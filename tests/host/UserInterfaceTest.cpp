#include <gtest/gtest.h>

#include "host/platform/UserInterface.h"

namespace {

// A service that answers every message box with mrYes (6).
class TYesService : public TUserInterface {
 public:
  void RunModal(TComponent*, const std::function<bool()>&) override {}
  Integer MessageBox(const TMessageRequest&) override { return 6; }
  bool InputQuery(TInputRequest&) override { return true; }
  bool FileDialog(TFileDialogRequest&) override { return true; }
  bool FontDialog(TFontData&) override { return true; }
};

TEST(UserInterfaceTest, TheHeadlessServiceAnswersAsAPersonWhoClosesEveryDialog) {
  TUserInterface& ui = UserInterface();
  TMessageRequest message{"Confirm", "Save?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0};
  EXPECT_EQ(ui.MessageBox(message), 2);  // mrCancel
  message.Buttons = {mbYes, mbNo};
  EXPECT_EQ(ui.MessageBox(message), 7);  // mrNo
  message.Buttons = {mbOK};
  EXPECT_EQ(ui.MessageBox(message), 1);  // mrOk

  TInputRequest input{"Add", "Name", "kept"};
  EXPECT_FALSE(ui.InputQuery(input));
  EXPECT_EQ(input.Value, "kept");
  TFileDialogRequest file;
  file.FileName = "a.txt";
  EXPECT_FALSE(ui.FileDialog(file));
  EXPECT_EQ(file.FileName, "a.txt");
  TFontData font;
  EXPECT_FALSE(ui.FontDialog(font));
  // The system code page is UTF-8: neither Hebrew nor Arabic.
  EXPECT_FALSE(ui.HandlesRightToLeftInput());
}

TEST(UserInterfaceTest, NobodyCanRunAFormModallyWithoutAFrontEnd) {
  TComponent form(nullptr);
  form.SetName("Dialog1");
  try {
    UserInterface().RunModal(&form, [] { return false; });
    FAIL() << "RunModal returned";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "No user interface to show Dialog1 modally");
  }
}

TEST(UserInterfaceTest, AScopeOrAServiceGoingPutsThePreviousServiceBack) {
  TMessageRequest message{"", "", mtCustom, {mbOK}, 0};
  TYesService outer;
  {
    TUserInterfaceScope scope(outer);
    {
      TYesService inner;
      TUserInterfaceScope innerScope(inner);
      EXPECT_EQ(&UserInterface(), &inner);
    }
    EXPECT_EQ(&UserInterface(), &outer);
  }
  EXPECT_EQ(UserInterface().MessageBox(message), 1);
  {
    TYesService gone;
    SetUserInterface(&gone);
    EXPECT_EQ(UserInterface().MessageBox(message), 6);
  }
  EXPECT_EQ(UserInterface().MessageBox(message), 1);  // headless again
}

}  // namespace
