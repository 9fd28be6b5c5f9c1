#include "host/platform/Windows.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

namespace {

std::vector<String> SplitCommandLine(std::string_view line) {
  std::vector<String> words;
  String word;
  bool inWord = false, quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      word += '"';
      ++i;
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

// Marks every descriptor above the standard ones close-on-exec, so that the
// program started holds no file (or file lock) of its starter.
void CloseOnExecAbove2() {
  const long limit = std::min(::sysconf(_SC_OPEN_MAX), 65536L);
  for (int fd = 3; fd < limit; ++fd) {
    const int flags = ::fcntl(fd, F_GETFD);
    if (flags >= 0 && !(flags & FD_CLOEXEC)) ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
  }
}

}  // namespace

UINT WinExec(const char* lpCmdLine, UINT) {
  const std::vector<String> words = SplitCommandLine(lpCmdLine ? lpCmdLine : "");
  if (words.empty()) return ERROR_FILE_NOT_FOUND;
  std::vector<char*> argv;
  for (const String& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  // The program is started by a child that exits at once, so that it is no
  // child of the caller's (nobody waits for it, and it leaves no zombie);
  // a failed exec reports its error through a pipe that a successful one
  // closes.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return 0;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return 0;
  }
  if (child == 0) {
    ::close(report[0]);
    const pid_t program = ::fork();
    if (program != 0) ::_exit(program < 0 ? 1 : 0);
    ::setsid();
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
      ::dup2(null, STDIN_FILENO);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
    }
    CloseOnExecAbove2();
    ::execvp(argv[0], argv.data());
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
  if (got != static_cast<ssize_t>(sizeof error)) return 33;
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case ENOEXEC:
      return ERROR_BAD_FORMAT;
    default:
      return 0;
  }
}

}  // namespace Glossmith::Windows
