#include "host/classes/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <random>
#include <utility>

#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"

namespace Glossmith::inline Classes {

void (*GBeforeAtomicRename)(const String& tempName) = nullptr;
bool GUnnamedTemporaries = true;

struct TAtomicFileTransaction::TPrepared {
  String FileName;  // as the caller named it, for messages
  String Target;
  String TempName;  // empty while the file has no name
  int Fd = -1;
  int Slot = -1;
  // Prepared: not in place yet. Replaced: the target holds the new file and
  // TempName the old one. Created: there was no old file. Unbacked: the old
  // file is gone (the file system could neither exchange nor link).
  enum class TState { Prepared, Replaced, Created, Unbacked } State = TState::Prepared;
};

namespace {

using TPrepared = TAtomicFileTransaction::TPrepared;

constexpr size_t BufferSize = 1 << 20;

String SystemError() { return std::strerror(errno); }

String FolderOf(const String& fileName) {
  const String dir = ExtractFilePath(fileName);
  return dir.empty() ? String("./") : dir;
}

void SyncFolderOf(const String& fileName) {
  int fd = ::open(FolderOf(fileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // best effort: the rename itself has happened
  ::fsync(fd);
  ::close(fd);
}

// --- Names removed on a signal ---------------------------------------------------
//
// The temporary files that have a name (and the lock files held), in slots a
// signal handler can read without taking a lock. A name is entered before the
// file is created and left until the file is gone, so that SIGINT, SIGTERM or
// SIGHUP (while their action is the default one, which ends the process)
// leave none behind. Each slot names the process that entered it: a child
// between fork and exec leaves its parent's files alone.

constexpr int SlotCount = 64;
enum TSlotState : int { SlotFree, SlotFilling, SlotReady };

struct TSlot {
  std::atomic<int> State{SlotFree};
  pid_t Owner = 0;
  char Name[PATH_MAX];
};

TSlot GSlots[SlotCount];
constexpr int CleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveTemporariesAndEnd(int signal) {
  const int saved = errno;
  const pid_t self = ::getpid();
  for (TSlot& slot : GSlots)
    if (slot.State.load(std::memory_order_acquire) == SlotReady && slot.Owner == self)
      ::unlink(slot.Name);
  errno = saved;
  // The handler was installed with SA_RESETHAND: the default action ends the
  // process as the signal would have without the handler.
  ::raise(signal);
}

void InstallSignalHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal : CleanedSignals) {
      struct sigaction old {};
      if (::sigaction(signal, nullptr, &old) != 0) continue;
      // A program with a handler of its own (or ignoring the signal) keeps it.
      if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
      struct sigaction action {};
      action.sa_handler = RemoveTemporariesAndEnd;
      sigemptyset(&action.sa_mask);
      for (int other : CleanedSignals) sigaddset(&action.sa_mask, other);
      action.sa_flags = SA_RESETHAND;
      ::sigaction(signal, &action, nullptr);
    }
  });
}

int EnterName(const String& name) { return EnterRemovedOnSignal(name); }
void LeaveName(int& slot) { LeaveRemovedOnSignal(slot); }

// Blocks the cleaned signals on this thread for the time of a scope: the
// renames of a transaction and the putting back of old files run to the end.
class TSignalsHeld {
 public:
  TSignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : CleanedSignals) sigaddset(&set, signal);
    ::pthread_sigmask(SIG_BLOCK, &set, &FOld);
  }
  ~TSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &FOld, nullptr); }
  TSignalsHeld(const TSignalsHeld&) = delete;
  TSignalsHeld& operator=(const TSignalsHeld&) = delete;

 private:
  sigset_t FOld;
};

// --- Temporary files -------------------------------------------------------------

// "<target>.tmp<pid>-<n>": the process that made it, to tell a temporary of a
// process that died from one still being written.
String TemporaryName(const String& target) {
  static thread_local std::mt19937 random{std::random_device{}()};
  return target + ".tmp" + IntToStr(::getpid()) + "-" + IntToStr(static_cast<int>(random() % 1000000));
}

bool UnnamedFilesReachable() {
  static const bool reachable = ::access("/proc/self/fd", X_OK) == 0;
  return reachable;
}

String ProcName(int fd) { return "/proc/self/fd/" + IntToStr(fd); }

// Makes a new file of a free temporary name beside `target`: its descriptor,
// or -1 with errno set.
int CreateNamed(const String& target, String& name, int& slot) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(target);
    slot = EnterName(name);
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    const int error = errno;
    LeaveName(slot);
    errno = error;
    if (error != EEXIST) break;
  }
  name.clear();
  return -1;
}

// Gives the unnamed file `fd` a free temporary name beside `target`.
bool LinkUnnamed(int fd, const String& target, String& name, int& slot) {
  const String from = ProcName(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(target);
    slot = EnterName(name);
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return true;
    const int error = errno;
    LeaveName(slot);
    errno = error;
    if (error != EEXIST) break;
  }
  name.clear();
  return false;
}

// Copies what `from` holds into `to`, flushed.
bool CopyContent(int from, int to) {
  char buffer[1 << 16];
  off_t at = 0;
  for (;;) {
    const ssize_t n = ::pread(from, buffer, sizeof buffer, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(to, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return false;
      done += w;
    }
    at += n;
  }
  return ::fsync(to) == 0;
}

// True for a temporary of `target` that its writer left behind: nobody holds
// its lock (every writer locks its temporary file), and the process its name
// gives is gone. A name of the older form "<target>.tmp<n>" counts when its
// file is older than ten minutes.
bool Abandoned(std::string_view suffix, const struct stat& st) {
  const size_t dash = suffix.find('-');
  std::string_view pid = suffix.substr(0, dash);
  auto digits = [](std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(pid)) return false;
  if (dash == std::string_view::npos) return std::time(nullptr) - st.st_mtime > 600;
  if (!digits(suffix.substr(dash + 1)) || pid.size() > 9) return false;
  const pid_t owner = static_cast<pid_t>(std::atoi(String(pid).c_str()));
  return owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH;
}

// Removes the temporaries of `target` that writers which died left behind.
void SweepAbandoned(const String& target) {
  const String folder = FolderOf(target);
  const String prefix = ExtractFileName(target) + ".tmp";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (!name.starts_with(prefix)) continue;
    const String path = folder + String(name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    struct stat named {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        Abandoned(name.substr(prefix.size()), st) && ::lstat(path.c_str(), &named) == 0 &&
        named.st_dev == st.st_dev && named.st_ino == st.st_ino)
      ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

[[noreturn]] void CreateFailed(const String& fileName, const String& why) {
  throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, why}));
}

[[noreturn]] void WriteFailed(const String& fileName, const String& why) {
  throw EWriteError(Format("Cannot write file \"%s\". %s", {fileName, why}));
}

// Removes what is left of a prepared file that is not (or no longer) wanted.
void Discard(TPrepared& p) {
  if (!p.TempName.empty()) ::unlink(p.TempName.c_str());
  p.TempName.clear();
  LeaveName(p.Slot);
  if (p.Fd >= 0) ::close(p.Fd);
  p.Fd = -1;
}

// Gives a prepared file without a name one beside its target.
void Name(TPrepared& p) {
  if (!p.TempName.empty()) return;
  if (LinkUnnamed(p.Fd, p.Target, p.TempName, p.Slot)) return;
  // The file system made the file but does not link it: copy it into a
  // named one.
  String name;
  int slot = -1;
  const int fd = CreateNamed(p.Target, name, slot);
  if (fd < 0) CreateFailed(p.FileName, SystemError());
  if (!CopyContent(p.Fd, fd)) {
    const String why = SystemError();
    ::close(fd);
    ::unlink(name.c_str());
    LeaveName(slot);
    WriteFailed(p.FileName, why);
  }
  ::close(p.Fd);
  p.Fd = fd;
  p.TempName = name;
  p.Slot = slot;
}

// Puts a prepared file in place of its target, keeping the old file under the
// temporary name where the file system allows, to put it back on a failure.
void Replace(TPrepared& p) {
  if (GBeforeAtomicRename) GBeforeAtomicRename(p.TempName);
  struct stat st {};
  if (::lstat(p.Target.c_str(), &st) == 0) {
    if (::renameat2(AT_FDCWD, p.TempName.c_str(), AT_FDCWD, p.Target.c_str(), RENAME_EXCHANGE) ==
        0) {
      p.State = TPrepared::TState::Replaced;
      return;
    }
    // No exchange on this file system: keep a link to the old file instead.
    String backup;
    int slot = -1;
    for (int attempt = 0; attempt < 100 && backup.empty(); ++attempt) {
      backup = TemporaryName(p.Target);
      slot = EnterName(backup);
      if (::link(p.Target.c_str(), backup.c_str()) == 0) break;
      const bool taken = errno == EEXIST;
      LeaveName(slot);
      backup.clear();
      if (!taken) break;
    }
    if (::rename(p.TempName.c_str(), p.Target.c_str()) != 0) {
      const String why = SystemError();
      if (!backup.empty()) ::unlink(backup.c_str());
      LeaveName(slot);
      CreateFailed(p.FileName, why);
    }
    LeaveName(p.Slot);
    p.TempName = backup;
    p.Slot = slot;
    p.State = backup.empty() ? TPrepared::TState::Unbacked : TPrepared::TState::Replaced;
    return;
  }
  if (::rename(p.TempName.c_str(), p.Target.c_str()) != 0) CreateFailed(p.FileName, SystemError());
  LeaveName(p.Slot);
  p.TempName.clear();
  p.State = TPrepared::TState::Created;
}

// Puts back what was at the target before Replace.
void Restore(TPrepared& p) {
  switch (p.State) {
    case TPrepared::TState::Replaced:
      if (::rename(p.TempName.c_str(), p.Target.c_str()) == 0) p.TempName.clear();
      break;
    case TPrepared::TState::Created:
      ::unlink(p.Target.c_str());
      break;
    case TPrepared::TState::Prepared:
    case TPrepared::TState::Unbacked:
      break;
  }
  p.State = TPrepared::TState::Prepared;
}

thread_local TAtomicFileTransaction* GCurrent = nullptr;

}  // namespace

String ReplacementTarget(const String& fileName) {
  struct stat st {};
  if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
  char* real = ::realpath(fileName.c_str(), nullptr);
  if (!real) return fileName;  // a dangling link is replaced like a file
  String target(real);
  std::free(real);
  return target;
}

int EnterRemovedOnSignal(const String& name) {
  InstallSignalHandlers();
  if (name.size() >= PATH_MAX) return -1;
  for (int i = 0; i < SlotCount; ++i) {
    int expected = SlotFree;
    if (!GSlots[i].State.compare_exchange_strong(expected, SlotFilling)) continue;
    GSlots[i].Owner = ::getpid();
    std::memcpy(GSlots[i].Name, name.c_str(), name.size() + 1);
    GSlots[i].State.store(SlotReady, std::memory_order_release);
    return i;
  }
  return -1;  // more at once than the slots hold: that one is not cleaned up
}

void LeaveRemovedOnSignal(int& slot) {
  if (slot >= 0) GSlots[slot].State.store(SlotFree, std::memory_order_release);
  slot = -1;
}

// --- TAtomicFileWriter -------------------------------------------------------------

TAtomicFileWriter::TAtomicFileWriter(const String& fileName) : FFileName(fileName) {
  if (fileName.empty()) CreateFailed(fileName, "No file name given");
  FTarget = ReplacementTarget(fileName);
  struct stat old {};
  FExists = ::stat(FTarget.c_str(), &old) == 0;
  FMode = old.st_mode & 07777;
  if (FExists && S_ISDIR(old.st_mode)) CreateFailed(fileName, "It is a directory");
  // A file its owner made read-only is not replaced behind their back, just
  // as opening it for writing would fail.
  if (FExists && ::access(FTarget.c_str(), W_OK) != 0) CreateFailed(fileName, SystemError());

  SweepAbandoned(FTarget);
  // The temporary file lives beside the target so that the rename stays on
  // one file system and is atomic; without a name while it is written, so
  // that a process killed meanwhile leaves nothing behind.
  if (GUnnamedTemporaries && UnnamedFilesReachable())
    FFd = ::open(FolderOf(FTarget).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
  if (FFd < 0) FFd = CreateNamed(FTarget, FTempName, FSlot);
  if (FFd < 0) CreateFailed(fileName, SystemError());
  // Held until the file is in place or gone: a writer that finds the lock
  // free on a temporary of its target knows its writer is no longer there.
  while (::flock(FFd, LOCK_EX) != 0 && errno == EINTR) {
  }
  FBuffer.reserve(BufferSize);
}

TAtomicFileWriter::~TAtomicFileWriter() { Discard(); }

void TAtomicFileWriter::Discard() {
  if (FFd >= 0) ::close(FFd);
  FFd = -1;
  if (!FTempName.empty()) ::unlink(FTempName.c_str());
  FTempName.clear();
  LeaveName(FSlot);
}

void TAtomicFileWriter::Fail(const String& why) {
  Discard();
  WriteFailed(FFileName, why);
}

void TAtomicFileWriter::Write(std::string_view data) {
  if (FBuffer.size() + data.size() > BufferSize) Flush();
  if (data.size() >= BufferSize) {
    WriteOut(data);
    return;
  }
  FBuffer.append(data);
}

void TAtomicFileWriter::Flush() {
  WriteOut(FBuffer);
  FBuffer.clear();
}

void TAtomicFileWriter::WriteOut(std::string_view data) {
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(FFd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(SystemError());
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
}

void TAtomicFileWriter::Commit() {
  Flush();
  // Keep the permissions of the file being replaced.
  if (FExists) ::fchmod(FFd, FMode);
  if (::fsync(FFd) != 0) Fail(SystemError());
  TPrepared prepared;
  prepared.FileName = FFileName;
  prepared.Target = FTarget;
  prepared.TempName = std::exchange(FTempName, String());
  prepared.Fd = std::exchange(FFd, -1);
  prepared.Slot = std::exchange(FSlot, -1);
  if (TAtomicFileTransaction* current = TAtomicFileTransaction::Current()) {
    current->Add(std::move(prepared));
    return;
  }
  TAtomicFileTransaction one;
  one.Add(std::move(prepared));
  one.Commit();
}

// --- TAtomicFileTransaction ------------------------------------------------------

TAtomicFileTransaction::TAtomicFileTransaction() : FOuter(GCurrent) {
  if (!FOuter) GCurrent = this;
}

TAtomicFileTransaction::~TAtomicFileTransaction() {
  if (GCurrent != this) return;
  for (TPrepared& p : FFiles) Discard(p);
  FFiles.clear();
  Release();
}

TAtomicFileTransaction* TAtomicFileTransaction::Current() { return GCurrent; }

void TAtomicFileTransaction::Add(TPrepared prepared) {
  for (TPrepared& p : FFiles)
    if (p.Target == prepared.Target) {
      Discard(p);
      p = std::move(prepared);
      return;
    }
  FFiles.push_back(std::move(prepared));
}

void TAtomicFileTransaction::Keep(std::unique_ptr<TFileLock> lock) {
  FLocks.push_back(std::move(lock));
}

bool TAtomicFileTransaction::KeepsLock(const String& lockFileName) const {
  return std::any_of(FLocks.begin(), FLocks.end(),
                     [&](const auto& lock) { return lock->LockName() == lockFileName; });
}

String TAtomicFileTransaction::PreparedVersion(const String& target) const {
  for (const TPrepared& p : FFiles)
    if (p.Target == target) return p.TempName.empty() ? ProcName(p.Fd) : p.TempName;
  return String();
}

void TAtomicFileTransaction::Lock(const String& fileName) {
  TAtomicFileTransaction* keeper = FOuter ? FOuter : this;
  if (GCurrent != keeper) return;  // already ended
  if (keeper->KeepsLock(TFileLock::LockFileName(fileName))) return;
  keeper->FLocks.push_back(std::make_unique<TFileLock>(fileName));
}

void TAtomicFileTransaction::Release() {
  if (GCurrent == this) GCurrent = nullptr;
  // Released after the current transaction is gone: they go for good now.
  while (!FLocks.empty()) FLocks.pop_back();
}

void TAtomicFileTransaction::Commit() {
  if (GCurrent != this) return;
  {
    TSignalsHeld held;
    size_t done = 0;
    try {
      for (TPrepared& p : FFiles) Name(p);
      for (; done < FFiles.size(); ++done) Replace(FFiles[done]);
    } catch (...) {
      while (done > 0) Restore(FFiles[--done]);
      for (TPrepared& p : FFiles) Discard(p);
      FFiles.clear();
      Release();
      throw;
    }
    for (TPrepared& p : FFiles) {
      Discard(p);  // the old file, when it was kept
      SyncFolderOf(p.Target);
    }
    FFiles.clear();
  }
  Release();
}

String LatestVersion(const String& fileName) {
  const TAtomicFileTransaction* current = TAtomicFileTransaction::Current();
  if (!current) return fileName;
  const String prepared = current->PreparedVersion(ReplacementTarget(fileName));
  return prepared.empty() ? fileName : prepared;
}

}  // namespace Glossmith::inline Classes
