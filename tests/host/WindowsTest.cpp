#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "host/controls/Forms.h"
#include "host/platform/Windows.h"
#include "support/TestSupport.h"

namespace {

std::string MenuText(HMENU menu, UINT id, int cchMax = 255) {
  char buffer[300];
  std::fill(std::begin(buffer), std::end(buffer), 'x');
  int n = GetMenuStringA(menu, id, buffer, cchMax, MF_BYCOMMAND);
  EXPECT_EQ(n, static_cast<int>(std::strlen(buffer)));
  return buffer;
}

std::vector<UINT> Commands(HMENU menu) {
  std::vector<UINT> ids;
  for (const auto& e : menu->Entries())
    if (!e.Separator) ids.push_back(e.Id);
  return ids;
}

TEST(WindowsTest, OrdinaryFormHasTheUsualSystemMenu) {
  TForm form(nullptr);
  EXPECT_FALSE(form.HandleAllocated());
  HMENU menu = GetSystemMenu(form.Handle(), FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Commands(menu),
            (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE}));
  EXPECT_EQ(MenuText(menu, SC_RESTORE), "&Restore");
  EXPECT_EQ(MenuText(menu, SC_MOVE), "&Move");
  EXPECT_EQ(MenuText(menu, SC_SIZE), "&Size");
  EXPECT_EQ(MenuText(menu, SC_MINIMIZE), "Mi&nimize");
  EXPECT_EQ(MenuText(menu, SC_MAXIMIZE), "Ma&ximize");
  EXPECT_EQ(MenuText(menu, SC_CLOSE), "&Close\tAlt+F4");
  EXPECT_EQ(MenuText(menu, SC_NEXTWINDOW), "");
  // The same window and menu on every request.
  EXPECT_EQ(GetSystemMenu(form.Handle(), FALSE), menu);
  EXPECT_EQ(form.ClientHandle(), nullptr);
}

TEST(WindowsTest, BorderStyleAndIconsLeaveEntriesOut) {
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  EXPECT_EQ(Commands(GetSystemMenu(form.Handle(), FALSE)), (std::vector<UINT>{SC_MOVE, SC_CLOSE}));
  form.SetBorderStyle(bsSingle);
  form.SetBorderIcons({biSystemMenu, biMaximize});
  EXPECT_EQ(Commands(GetSystemMenu(form.Handle(), FALSE)),
            (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_MAXIMIZE, SC_CLOSE}));
  form.SetBorderIcons({biMinimize, biMaximize});
  EXPECT_TRUE(GetSystemMenu(form.Handle(), FALSE)->Entries().empty());
  form.SetBorderIcons({biSystemMenu, biMinimize, biMaximize});
  form.SetBorderStyle(bsNone);
  HMENU menu = GetSystemMenu(form.Handle(), FALSE);
  EXPECT_TRUE(menu->Entries().empty());
  EXPECT_EQ(MenuText(menu, SC_CLOSE), "");
  EXPECT_EQ(ModifyMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, "x"), FALSE);
}

TEST(WindowsTest, MdiChildHasNextWindowAndMdiParentHasClientWindow) {
  TForm parent(nullptr);
  parent.SetFormStyle(fsMDIForm);
  HWND client = parent.ClientHandle();
  ASSERT_NE(client, nullptr);
  EXPECT_NE(client, parent.Handle());
  EXPECT_EQ(parent.ClientHandle(), client);

  TForm child(nullptr);
  child.SetFormStyle(fsMDIChild);
  HMENU menu = GetSystemMenu(child.Handle(), FALSE);
  EXPECT_EQ(Commands(menu), (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE,
                                               SC_MAXIMIZE, SC_CLOSE, SC_NEXTWINDOW}));
  EXPECT_EQ(MenuText(menu, SC_NEXTWINDOW), "Nex&t\tCtrl+F6");
  EXPECT_EQ(child.ClientHandle(), nullptr);
}

TEST(WindowsTest, MenuTextIsCutToTheBufferAndModifiedByCommand) {
  TForm form(nullptr);
  HMENU menu = GetSystemMenu(form.Handle(), FALSE);
  std::string longText(300, 'a');
  EXPECT_EQ(ModifyMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, longText.c_str()),
            TRUE);
  EXPECT_EQ(MenuText(menu, SC_CLOSE), std::string(254, 'a'));
  EXPECT_EQ(MenuText(menu, SC_CLOSE, 4), "aaa");
  char one[1] = {'x'};
  EXPECT_EQ(GetMenuStringA(menu, SC_CLOSE, one, 1, MF_BYCOMMAND), 0);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(GetMenuStringA(menu, SC_CLOSE, nullptr, 0, MF_BYCOMMAND), 300);

  ModifyMenuA(menu, SC_MOVE, MF_BYCOMMAND | MF_STRING, SC_MOVE, "&Bouger");
  EXPECT_EQ(MenuText(menu, SC_MOVE), "&Bouger");
  EXPECT_EQ(Commands(menu).size(), 6u);
  // Reverting gives back the default entries.
  EXPECT_EQ(GetSystemMenu(form.Handle(), TRUE), nullptr);
  EXPECT_EQ(MenuText(menu, SC_MOVE), "&Move");
}

TEST(WindowsTest, SendMessageRecordsOnTheReceivingWindow) {
  TForm form(nullptr);
  form.SetFormStyle(fsMDIForm);
  HWND client = form.ClientHandle();
  SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
  SendMessageA(form.Handle(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200));
  ASSERT_EQ(client->Messages().size(), 1u);
  EXPECT_EQ(client->Messages()[0].Msg, WM_MDIREFRESHMENU);
  ASSERT_EQ(form.Handle()->Messages().size(), 1u);
  const TMessageRecord& m = form.Handle()->Messages()[0];
  EXPECT_EQ(m.wParam, SIZE_MAXIMIZED);
  EXPECT_EQ(LOWORD(static_cast<uintptr_t>(m.lParam)), 300);
  EXPECT_EQ(HIWORD(static_cast<uintptr_t>(m.lParam)), 200);
  form.Handle()->ClearMessages();
  EXPECT_TRUE(form.Handle()->Messages().empty());
  EXPECT_EQ(SendMessageA(nullptr, WM_SIZE, 0, 0), 0);
}

TEST(WindowsTest, WinExecStartsAProgramApartAndReportsOneThatCannotRun) {
  testsupport::TempDir dir;
  // A file of the caller's that is not closed on exec.
  const int held = ::dup2(::open(dir.File("held").c_str(), O_WRONLY | O_CREAT, 0644), 50);
  ASSERT_EQ(held, 50);
  const String program = dir.File("show args");
  testsupport::WriteFile(program,
                         "#!/bin/sh\n"
                         "d=$(dirname \"$0\")\n"
                         "printf '%s\\n' \"$@\" > \"$d/args\"\n"
                         "if [ -e /proc/$$/fd/50 ]; then echo inherited >> \"$d/args\"; fi\n"
                         "touch \"$d/done\"\n");
  ::chmod(program.c_str(), 0755);
  EXPECT_GT(WinExec(("\"" + program + "\" \"one arg\"  two \"say \\\"hi\\\"\"").c_str(), SW_HIDE),
            31u);
  ::close(held);
  for (int i = 0; i < 1000 && !FileExists(dir.File("done")); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(testsupport::ReadFile(dir.File("args")), "one arg\ntwo\nsay \"hi\"\n");

  EXPECT_EQ(WinExec("no-such-program-anywhere --help", SW_HIDE), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("", SW_HIDE), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec(dir.File("held/x").c_str(), SW_HIDE), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(WinExec(dir.File("held").c_str(), SW_HIDE), ERROR_ACCESS_DENIED) << "not executable";
}

}  // namespace
