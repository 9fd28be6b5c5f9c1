// An exclusive lock on a shared file for the time of a read, merge and write.
#pragma once

#include <chrono>
#include <cstdint>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Classes {

// Holds an exclusive advisory lock on a file from construction to
// destruction, so that processes which read a shared file, merge their part
// into it and replace it take turns instead of losing each other's changes.
//
// The lock is taken with flock on a lock file beside the file, LockFileName:
// "<name>.lock", a symbolic link followed first as TAtomicFileWriter follows
// it. It is not taken on the file itself, whose inode the atomic rename
// replaces. The lock file is created when absent and removed by the holder
// on release; a holder counts only while the lock file's name still leads to
// the inode it locked, so a waiter that wins a removed lock file tries again
// with the new one. A lock file left behind by a process that died is taken
// over (the system released its lock with the process); one held when
// SIGINT, SIGTERM or SIGHUP ends the process is removed.
//
// flock locks belong to an open file description: two locks on one file
// exclude each other across processes and across threads of one process.
// The thread that already holds a file's lock is refused at once instead of
// waiting for itself.
//
// Raises EFCreateError naming the file when the lock file cannot be created
// (as writing the file beside it could not be either), and EFileLockError
// naming the file when another holder keeps the lock longer than `wait`.
//
// While a TAtomicFileTransaction is current on the thread, a lock released
// goes on until the transaction ends (the files written under it are put in
// place only then), and a lock on a file whose lock the transaction keeps
// shares that one.
class TFileLock {
 public:
  explicit TFileLock(const String& fileName);
  TFileLock(const String& fileName, std::chrono::milliseconds wait);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  const String& FileName() const { return FFileName; }
  const String& LockName() const { return FLockName; }

  // The lock file that stands for `fileName`.
  static String LockFileName(const String& fileName);
  // How long a lock waits for another holder when not told: 30 s unless set.
  static std::chrono::milliseconds DefaultWait();
  static void SetDefaultWait(std::chrono::milliseconds wait);

 private:
  TFileLock(TFileLock&& other) noexcept;

  String FFileName;
  String FLockName;
  int FFd = -1;
  int FPid = 0;
  uint64_t FDevice = 0;
  uint64_t FInode = 0;
  bool FShared = false;
  int FSlot = -1;  // its lock file among the files a signal removes
};

}  // namespace Glossmith::inline Classes
