#include "host/platform/Windows.h"

#include <algorithm>
#include <cstring>

namespace Glossmith::Windows {

void TMenu::Append(UINT id, const String& text) { FEntries.push_back({id, text, false}); }

void TMenu::AppendSeparator() { FEntries.push_back({0, String(), true}); }

TMenu::TEntry* TMenu::FindCommand(UINT id) {
  auto it = std::find_if(FEntries.begin(), FEntries.end(),
                         [id](const TEntry& e) { return !e.Separator && e.Id == id; });
  return it == FEntries.end() ? nullptr : &*it;
}

const TMenu::TEntry* TMenu::FindCommand(UINT id) const {
  return const_cast<TMenu*>(this)->FindCommand(id);
}

TMenu::TEntry* TMenu::EntryAt(UINT position) {
  return position < FEntries.size() ? &FEntries[position] : nullptr;
}

LRESULT TWindow::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  FMessages.push_back({msg, wParam, lParam});
  return WndProc ? WndProc(msg, wParam, lParam) : 0;
}

void TWindow::SetDefaultSystemMenu(std::vector<TMenu::TEntry> Value) {
  FDefaultSystemMenu = std::move(Value);
  RevertSystemMenu();
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert) {
  if (!hWnd) return nullptr;
  if (bRevert) {
    hWnd->RevertSystemMenu();
    return nullptr;
  }
  return &hWnd->SystemMenu();
}

namespace {

TMenu::TEntry* FindEntry(HMENU hMenu, UINT item, UINT flags) {
  if (!hMenu) return nullptr;
  return (flags & MF_BYPOSITION) ? hMenu->EntryAt(item) : hMenu->FindCommand(item);
}

}  // namespace

int GetMenuStringA(HMENU hMenu, UINT uIDItem, char* lpString, int cchMax, UINT flags) {
  const TMenu::TEntry* entry = FindEntry(hMenu, uIDItem, flags);
  if (lpString && cchMax > 0) lpString[0] = '\0';
  if (!entry) return 0;
  if (!lpString) return static_cast<int>(entry->Text.size());
  if (cchMax <= 0) return 0;
  size_t n = std::min(entry->Text.size(), static_cast<size_t>(cchMax - 1));
  std::memcpy(lpString, entry->Text.data(), n);
  lpString[n] = '\0';
  return static_cast<int>(n);
}

BOOL ModifyMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                 const char* lpNewItem) {
  TMenu::TEntry* entry = FindEntry(hMenu, uPosition, uFlags);
  if (!entry) return FALSE;
  entry->Id = static_cast<UINT>(uIDNewItem);
  entry->Separator = (uFlags & MF_SEPARATOR) != 0;
  entry->Text = entry->Separator || !lpNewItem ? String() : String(lpNewItem);
  return TRUE;
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, const char* lpNewItem) {
  if (!hMenu) return FALSE;
  if (uFlags & MF_SEPARATOR)
    hMenu->AppendSeparator();
  else
    hMenu->Append(static_cast<UINT>(uIDNewItem), lpNewItem ? lpNewItem : "");
  return TRUE;
}

int GetMenuItemCount(HMENU hMenu) { return hMenu ? hMenu->Count() : -1; }

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return hWnd ? hWnd->Perform(Msg, wParam, lParam) : 0;
}

UINT GetACP() { return 65001; }

}  // namespace Glossmith::Windows
