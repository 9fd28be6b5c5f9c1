// The window-system services the library relies on, as plain data: windows
// that record the messages sent to them, and menus whose entries are kept by
// command identifier. Nothing is drawn; a front end may map these onto real
// windows later.
//
// The names follow the window system's own API (HWND, BOOL, TRUE, LOWORD...)
// and live in namespace Glossmith::Windows as types, constants and functions.
// A C header included earlier may have defined some of them as macros; this
// header sets those aside while it declares its own and restores them after.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/rtl/System.h"

#pragma push_macro("TRUE")
#pragma push_macro("FALSE")
#pragma push_macro("BOOL")
#pragma push_macro("LOWORD")
#pragma push_macro("HIWORD")
#pragma push_macro("MAKELPARAM")
#undef TRUE
#undef FALSE
#undef BOOL
#undef LOWORD
#undef HIWORD
#undef MAKELPARAM

namespace Glossmith::Windows {

class TWindow;
class TMenu;

using HWND = TWindow*;
using HMENU = TMenu*;
using UINT = unsigned;
using BOOL = int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using WORD = uint16_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr UINT SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030,
               SC_NEXTWINDOW = 0xF040, SC_CLOSE = 0xF060, SC_RESTORE = 0xF120;
constexpr UINT MF_BYCOMMAND = 0, MF_STRING = 0, MF_SEPARATOR = 0x800, MF_BYPOSITION = 0x400;
constexpr UINT WM_SIZE = 0x0005, WM_SETTEXT = 0x000C, WM_CLOSE = 0x0010, WM_MDISETMENU = 0x0230,
               WM_MDIREFRESHMENU = 0x0234;
constexpr WPARAM SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes ('A', '7').
constexpr WORD VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
               VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
               VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
               VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70, VK_F2 = 0x71,
               VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76, VK_F8 = 0x77,
               VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B, VK_OEM_1 = 0xBA,
               VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE,
               VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD,
               VK_OEM_7 = 0xDE, VK_PACKET = 0xE7;

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
  return static_cast<LPARAM>(static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16));
}

// One message as a window received it.
struct TMessageRecord {
  UINT Msg;
  WPARAM wParam;
  LPARAM lParam;
};

// A menu: entries in menu order, each with a command identifier and a text.
// A separator has identifier 0 and no text.
class TMenu {
 public:
  struct TEntry {
    UINT Id = 0;
    String Text;
    bool Separator = false;
  };

  TMenu() = default;
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;

  const std::vector<TEntry>& Entries() const { return FEntries; }
  int Count() const { return static_cast<int>(FEntries.size()); }
  void Append(UINT id, const String& text);
  void AppendSeparator();
  void Clear() { FEntries.clear(); }
  void Assign(const std::vector<TEntry>& entries) { FEntries = entries; }
  // The first entry with that command identifier (separators never match), or nullptr.
  TEntry* FindCommand(UINT id);
  const TEntry* FindCommand(UINT id) const;
  // The entry at that position, or nullptr.
  TEntry* EntryAt(UINT position);

 private:
  std::vector<TEntry> FEntries;
};

// A window: its messages, its system menu and, for an MDI parent, the client
// window that holds the MDI children. `Control` is the object the window
// belongs to (a form or control), or nullptr.
class TWindow {
 public:
  explicit TWindow(TObject* control = nullptr) : FControl(control) {}
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  TObject* Control() const { return FControl; }

  const std::vector<TMessageRecord>& Messages() const { return FMessages; }
  void ClearMessages() { FMessages.clear(); }
  // Records the message, then gives it to WndProc when one is set.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  // Handles messages after they are recorded (a front end hooks in here).
  std::function<LRESULT(UINT Msg, WPARAM wParam, LPARAM lParam)> WndProc;

  // The system menu as the window has it, and the default it is reverted to.
  TMenu& SystemMenu() { return FSystemMenu; }
  void SetDefaultSystemMenu(std::vector<TMenu::TEntry> Value);
  void RevertSystemMenu() { FSystemMenu.Assign(FDefaultSystemMenu); }

 private:
  TObject* FControl;
  std::vector<TMessageRecord> FMessages;
  TMenu FSystemMenu;
  std::vector<TMenu::TEntry> FDefaultSystemMenu;
};

// bRevert false: the window's own system menu, which callers may change.
// bRevert true: resets the system menu to its default and returns nullptr.
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);
// Copies the entry's text, at most cchMax-1 characters and a terminating zero,
// and returns the number of characters copied; 0 and "" when the menu lacks
// the entry. With a null buffer, returns the text's length.
int GetMenuStringA(HMENU hMenu, UINT uIDItem, char* lpString, int cchMax, UINT flags);
// Replaces the text (and identifier) of the entry named by command or by
// position; FALSE when there is no such entry.
BOOL ModifyMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                 const char* lpNewItem);
BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, const char* lpNewItem);
int GetMenuItemCount(HMENU hMenu);
// Delivers the message to the window, which records it; 0 for a null window.
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// The ANSI code page: the system code page here is UTF-8.
UINT GetACP();

// Show states of a program's window; there are no windows to show here, so
// WinExec takes any.
constexpr UINT SW_HIDE = 0, SW_SHOWNORMAL = 1;
// What WinExec gives when the program cannot be run (greater than 31: it runs).
constexpr UINT ERROR_FILE_NOT_FOUND = 2, ERROR_PATH_NOT_FOUND = 3, ERROR_ACCESS_DENIED = 5,
               ERROR_BAD_FORMAT = 11;
// Starts the program a command line names (looked up on PATH), with the
// command line's other words as its arguments, and returns without waiting
// for it. Words are separated by blanks; a part in double quotes keeps its
// blanks, and \" inside it is a quote. The program runs apart from the
// caller: in a session of its own, with no terminal, inheriting no file of
// the caller's but its environment. Returns a value greater than 31 when
// the program started, else ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_ACCESS_DENIED, ERROR_BAD_FORMAT, or 0 when the system is out of
// resources.
UINT WinExec(const char* lpCmdLine, UINT uCmdShow);

}  // namespace Glossmith::Windows

#ifndef GLS_NO_IMPLICIT_NAMESPACE_USE
using namespace Glossmith::Windows;
#endif

#pragma pop_macro("MAKELPARAM")
#pragma pop_macro("HIWORD")
#pragma pop_macro("LOWORD")
#pragma pop_macro("BOOL")
#pragma pop_macro("FALSE")
#pragma pop_macro("TRUE")
