#include "host/classes/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "host/classes/AtomicFile.h"

namespace Glossmith::inline Classes {

namespace {

using namespace std::chrono_literals;

std::atomic<long long> GDefaultWaitMs{30000};

// The locks this process holds, by the lock file's device and inode, with the
// thread that holds each: a thread asking again for its own lock would only
// wait for itself. A child process inherits the list from fork but not the
// threads, hence the process id.
using TLockKey = std::pair<uint64_t, uint64_t>;
using THolder = std::pair<pid_t, std::thread::id>;
std::mutex GHeldMutex;

std::map<TLockKey, THolder>& Held() {
  static std::map<TLockKey, THolder> held;
  return held;
}

THolder ThisThread() { return {::getpid(), std::this_thread::get_id()}; }

bool HeldByThisThread(const TLockKey& key) {
  std::lock_guard<std::mutex> guard(GHeldMutex);
  auto it = Held().find(key);
  return it != Held().end() && it->second == ThisThread();
}

bool SameInode(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

String TFileLock::LockFileName(const String& fileName) {
  return ReplacementTarget(fileName) + ".lock";
}

std::chrono::milliseconds TFileLock::DefaultWait() {
  return std::chrono::milliseconds(GDefaultWaitMs.load());
}

void TFileLock::SetDefaultWait(std::chrono::milliseconds wait) {
  GDefaultWaitMs = std::max<long long>(0, wait.count());
}

TFileLock::TFileLock(const String& fileName) : TFileLock(fileName, DefaultWait()) {}

TFileLock::TFileLock(const String& fileName, std::chrono::milliseconds wait) : FFileName(fileName) {
  if (fileName.empty()) throw EFCreateError("Cannot create file \"\". No file name given");
  FLockName = LockFileName(fileName);
  if (const TAtomicFileTransaction* current = TAtomicFileTransaction::Current();
      current && current->KeepsLock(FLockName)) {
    FShared = true;
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  auto pause = 1ms;
  for (;;) {
    // Opened afresh on every attempt: the holder removes the lock file when
    // it is done, and the next attempt must lock the one the name leads to.
    int fd = ::open(FLockName.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
      throw EFCreateError(
          Format("Cannot create file \"%s\". %s", {fileName, String(std::strerror(errno))}));
    struct stat locked {};
    ::fstat(fd, &locked);
    const TLockKey key{static_cast<uint64_t>(locked.st_dev), static_cast<uint64_t>(locked.st_ino)};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      struct stat named {};
      if (::stat(FLockName.c_str(), &named) == 0 && SameInode(named, locked)) {
        FFd = fd;
        FPid = ::getpid();
        FDevice = key.first;
        FInode = key.second;
        if (locked.st_size == 0) FSlot = EnterRemovedOnSignal(FLockName);
        std::lock_guard<std::mutex> guard(GHeldMutex);
        Held()[key] = ThisThread();
        return;
      }
      ::close(fd);  // removed by the holder before us: take the new one
      continue;
    }
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK && error != EINTR)
      throw EFileLockError(
          Format("Cannot lock file \"%s\". %s", {fileName, String(std::strerror(error))}));
    if (HeldByThisThread(key))
      throw EFileLockError(
          Format("Cannot lock file \"%s\": this thread already holds its lock", {fileName}));
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline)
      throw EFileLockError(
          Format("Cannot lock file \"%s\": another process holds it (waited %s s)",
                 {fileName, FloatToStr(static_cast<double>(wait.count()) / 1000)}));
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, 50ms);
  }
}

TFileLock::TFileLock(TFileLock&& other) noexcept
    : FFileName(std::move(other.FFileName)),
      FLockName(std::move(other.FLockName)),
      FFd(std::exchange(other.FFd, -1)),
      FPid(other.FPid),
      FDevice(other.FDevice),
      FInode(other.FInode),
      FSlot(std::exchange(other.FSlot, -1)) {}

TFileLock::~TFileLock() {
  if (FShared || FFd < 0) return;
  // The files written under it are not in place until the transaction ends.
  if (FPid == ::getpid())
    if (TAtomicFileTransaction* current = TAtomicFileTransaction::Current()) {
      current->Keep(std::unique_ptr<TFileLock>(new TFileLock(std::move(*this))));
      return;
    }
  // A child process that inherited the lock leaves it to its parent.
  if (FPid != ::getpid()) {
    ::close(FFd);
    return;
  }
  {
    std::lock_guard<std::mutex> guard(GHeldMutex);
    Held().erase({FDevice, FInode});
  }
  LeaveRemovedOnSignal(FSlot);
  // Removed while still locked, so that no one can lock it in between; a
  // file of that name with content is not ours to remove.
  struct stat locked {};
  struct stat named {};
  if (::fstat(FFd, &locked) == 0 && locked.st_size == 0 && ::stat(FLockName.c_str(), &named) == 0 &&
      SameInode(named, locked))
    ::unlink(FLockName.c_str());
  ::close(FFd);
}

}  // namespace Glossmith::inline Classes
