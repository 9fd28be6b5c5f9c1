// The owner form's system-menu entries as virtual properties, and the
// messages an applying walk sends to MDI windows.
#include <gtest/gtest.h>

#include "TestComponents.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/platform/Windows.h"

using namespace glstest;

namespace {

String MenuText(TForm* form, UINT id) {
  char buffer[256];
  GetMenuStringA(GetSystemMenu(form->Handle(), FALSE), id, buffer, sizeof buffer, MF_BYCOMMAND);
  return buffer;
}

class SystemMenuTest : public ::testing::Test {
 protected:
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(Application);
  TGlossmith* Translator = new TGlossmith(Form.get());
  void SetUp() override { (new TTestWidget(Form.get()))->SetName("W"); }
};

TEST_F(SystemMenuTest, CollectingListsTheEntriesAfterTheFormsOwnProperties) {
  std::vector<String> lines = Collect(*Translator);
  const auto first = std::find_if(lines.begin(), lines.end(),
                                  [](const String& l) { return l.rfind("SystemMenu", 0) == 0; });
  ASSERT_NE(first, lines.end());
  EXPECT_EQ(std::vector<String>(first, first + 7),
            (std::vector<String>{"SystemMenuRestore='&Restore'", "SystemMenuMove='&Move'",
                                 "SystemMenuSize='&Size'", "SystemMenuMinimize='Mi&nimize'",
                                 "SystemMenuMaximize='Ma&ximize'",
                                 "SystemMenuClose='&Close'#9'Alt+F4'", "W.Name='W'"}));
  EXPECT_EQ(Only(lines, "SystemMenu").size(), 6u);

  Form->SetFormStyle(fsMDIChild);
  Form->SetBorderStyle(bsDialog);
  lines = Collect(*Translator);
  EXPECT_EQ(Only(lines, "SystemMenu"),
            (std::vector<String>{"SystemMenuRestore=''", "SystemMenuMove='&Move'",
                                 "SystemMenuSize=''", "SystemMenuMinimize=''",
                                 "SystemMenuMaximize=''", "SystemMenuClose='&Close'#9'Ctrl+F4'",
                                 "SystemMenuNextWindow='Nex&t'#9'Ctrl+F6'"}));
}

TEST_F(SystemMenuTest, EntriesAreAppliedAndRestoredWithoutEvents) {
  bool eventFired = false;
  Translator->OnTranslateProperty = [&](TObject*, const String&, PPropInfo, TStrings*, bool&) {
    eventFired = true;
  };
  ASSERT_TRUE(Apply(*Translator, {"SystemMenuClose='&Fermer'#9'Alt+F4'", "SystemMenuMove=''",
                                  "SystemMenuNextWindow='Suivant'", "SystemMenuclose='no'"}));
  EXPECT_FALSE(eventFired);
  EXPECT_EQ(MenuText(Form.get(), SC_CLOSE), "&Fermer\tAlt+F4");
  EXPECT_EQ(MenuText(Form.get(), SC_MOVE), "&Move");
  EXPECT_EQ(MenuText(Form.get(), SC_NEXTWINDOW), "");
  EXPECT_EQ(Only(LinesOf(*Translator->Originals()), "SystemMenu"),
            (std::vector<String>{"SystemMenuClose='&Close'#9'Alt+F4'", "SystemMenuMove='&Move'"}));
  Translator->SetTranslateEmpty(true);
  ASSERT_TRUE(Translator->TranslateForm(Translator->Translations(), false));
  EXPECT_EQ(MenuText(Form.get(), SC_MOVE), "");
  Translator->SetTranslate(false);
  EXPECT_EQ(MenuText(Form.get(), SC_CLOSE), "&Close\tAlt+F4");
  EXPECT_EQ(MenuText(Form.get(), SC_MOVE), "&Move");
}

TEST_F(SystemMenuTest, AppliedTextsAreCutToTheLongestValue) {
  HMENU menu = GetSystemMenu(Form->Handle(), FALSE);
  const String longest(4095, 'a');
  const String tooLong = String(4095, 'b') + "c";
  ASSERT_TRUE(Apply(*Translator, {("SystemMenuClose='" + longest + "'").c_str(),
                                  ("SystemMenuMove='" + tooLong + "'").c_str()}));
  // Asked without a buffer, the menu tells the length of the text it holds.
  EXPECT_EQ(GetMenuStringA(menu, SC_CLOSE, nullptr, 0, MF_BYCOMMAND), 4095);
  EXPECT_EQ(GetMenuStringA(menu, SC_MOVE, nullptr, 0, MF_BYCOMMAND), 4095);
  std::vector<char> buffer(5000);
  EXPECT_EQ(GetMenuStringA(menu, SC_CLOSE, buffer.data(), 5000, MF_BYCOMMAND), 4095);
  EXPECT_EQ(String(buffer.data()), longest);
  EXPECT_EQ(GetMenuStringA(menu, SC_MOVE, buffer.data(), 5000, MF_BYCOMMAND), 4095);
  EXPECT_EQ(String(buffer.data()), String(4095, 'b'));
}

TEST_F(SystemMenuTest, AMalformedEntryIsNamedByItsError) {
  try {
    Apply(*Translator, {"SystemMenuMove='&Move'#"});
    ADD_FAILURE() << "no error";
  } catch (const ETranslationEntryError& e) {
    EXPECT_EQ(e.Entry(), "SystemMenuMove='&Move'#");
  }
}

TEST_F(SystemMenuTest, AnOwnerThatIsNoFormHasNoEntries) {
  TDataModule module(nullptr);
  auto* t = new TGlossmith(&module);
  EXPECT_TRUE(Only(Collect(*t), "SystemMenu").empty());
  ASSERT_TRUE(Apply(*t, {"SystemMenuClose='x'"}));
  EXPECT_EQ(t->Originals()->Count(), 0);
}

TEST_F(SystemMenuTest, ApplyingWalksRefreshMDIWindows) {
  // An ordinary form hears nothing.
  ASSERT_TRUE(Apply(*Translator, {"W.Caption='x'"}));
  EXPECT_TRUE(Form->Handle()->Messages().empty());

  Form->SetFormStyle(fsMDIForm);
  HWND client = Form->ClientHandle();
  ASSERT_TRUE(Translator->TranslateForm(Translator->Translations(), false));
  ASSERT_EQ(client->Messages().size(), 2u);  // restore walk and applying walk
  EXPECT_EQ(client->Messages()[0].Msg, WM_MDIREFRESHMENU);
  client->ClearMessages();
  auto* windowMenu = new TMenuItem(Form.get());
  Form->SetWindowMenu(windowMenu);
  Translator->RestoreForm();
  ASSERT_EQ(client->Messages().size(), 2u);
  EXPECT_EQ(client->Messages()[0].Msg, WM_MDISETMENU);
  EXPECT_EQ(client->Messages()[0].wParam, 0u);
  EXPECT_EQ(client->Messages()[0].lParam, reinterpret_cast<LPARAM>(windowMenu->Handle()));
  EXPECT_EQ(client->Messages()[1].Msg, WM_MDIREFRESHMENU);

  Form->SetFormStyle(fsMDIChild);
  Form->SetWindowState(wsMaximized);
  HWND window = Form->Handle();
  window->ClearMessages();
  ASSERT_TRUE(Translator->TranslateForm(Translator->Translations(), false));
  ASSERT_EQ(window->Messages().size(), 2u);
  const LPARAM size = (Form->ClientHeight() << 16) | Form->ClientWidth();
  EXPECT_EQ(window->Messages()[0].Msg, WM_SIZE);
  EXPECT_EQ(window->Messages()[0].wParam, SIZE_RESTORED);
  EXPECT_EQ(window->Messages()[0].lParam, size);
  EXPECT_EQ(window->Messages()[1].wParam, SIZE_MAXIMIZED);
  EXPECT_EQ(window->Messages()[1].lParam, size);
}

}  // namespace
