// Writing a file so that it is replaced whole or not at all, and writing
// several files so that they are replaced together or not at all.
#pragma once

#include <memory>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Classes {

class TFileLock;

// Writes a new version of a file in pieces: the data goes to a temporary file
// beside the target, and Commit flushes it to disk and renames it over the old
// file. A writer destroyed without Commit (an error passed through) removes
// the temporary file and leaves the old file as it was. A symbolic link is
// followed; a folder or a read-only file is refused. Errors raise
// EFCreateError or EWriteError naming the file.
//
// The temporary file has no name while it is written where the file system
// offers that (O_TMPFILE); it is given one just before the rename. Otherwise
// it is "<target>.tmp<pid>-<n>", removed again when SIGINT, SIGTERM or SIGHUP
// ends the process. A writer removes the temporaries of its target that a
// process which died left behind.
//
// Within a TAtomicFileTransaction of the same thread, Commit only prepares
// the file (written and flushed); the transaction puts it in place.
class TAtomicFileWriter {
 public:
  explicit TAtomicFileWriter(const String& fileName);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  void Write(std::string_view data);
  void Commit();
  const String& FileName() const { return FFileName; }

 private:
  void Flush();
  void WriteOut(std::string_view data);
  [[noreturn]] void Fail(const String& why);
  void Discard();

  String FFileName;
  String FTarget;
  String FTempName;  // empty while the temporary file has no name
  bool FExists = false;
  unsigned FMode = 0;
  int FFd = -1;
  int FSlot = -1;  // its entry among the names a signal removes
  String FBuffer;
};

// The files one command writes, replaced as one: while a transaction is the
// current one of its thread, each TAtomicFileWriter's Commit leaves its file
// prepared (written, flushed, beside its target), and the transaction's
// Commit renames them over their targets in the order prepared. When a
// rename fails, the targets already replaced get their old files back and
// every target is as it was before; a transaction destroyed without Commit
// discards what was prepared.
//
// The locks (TFileLock) the thread releases meanwhile are kept until the
// transaction ends, so that no other process reads a file whose new version
// is not yet in place; a lock of the thread on a file whose lock the
// transaction keeps shares that lock instead of being refused. A second
// version of the same target replaces the first one prepared; reading the
// file meanwhile goes through LatestVersion.
//
// A transaction begun while another is current on the thread joins it: its
// Commit does nothing, and the outer one decides.
class TAtomicFileTransaction {
 public:
  TAtomicFileTransaction();
  ~TAtomicFileTransaction();
  TAtomicFileTransaction(const TAtomicFileTransaction&) = delete;
  TAtomicFileTransaction& operator=(const TAtomicFileTransaction&) = delete;

  void Commit();
  // Takes the lock of `fileName` and keeps it until the transaction ends.
  void Lock(const String& fileName);

  // The thread's current transaction, or null.
  static TAtomicFileTransaction* Current();

  // What the writers and locks hand over (host/classes only).
  struct TPrepared;
  void Add(TPrepared prepared);
  void Keep(std::unique_ptr<TFileLock> lock);
  bool KeepsLock(const String& lockFileName) const;
  String PreparedVersion(const String& target) const;

 private:
  void Release();

  TAtomicFileTransaction* FOuter = nullptr;
  std::vector<TPrepared> FFiles;
  std::vector<std::unique_ptr<TFileLock>> FLocks;
};

// The name to read `fileName` by: the version prepared for it by the
// thread's current transaction when there is one, else `fileName` itself.
String LatestVersion(const String& fileName);

// The file that replacing `fileName` writes: the file a symbolic link points
// to (the link stays), otherwise `fileName` itself; a dangling link is
// replaced like a file.
String ReplacementTarget(const String& fileName);

// Enters a file to be removed when SIGINT, SIGTERM or SIGHUP ends the process
// (their action being the default one): the slot to leave it by, or -1 when
// all slots are taken. Async-signal-safe to leave, but not to enter.
int EnterRemovedOnSignal(const String& fileName);
void LeaveRemovedOnSignal(int& slot);

// A hook for tests: when set, called with the temporary file's name before it
// is renamed over the target; throwing from it simulates a failed write.
extern void (*GBeforeAtomicRename)(const String& tempName);
// A hook for tests: false makes writers name their temporary files from the
// start, as on a file system without unnamed ones.
extern bool GUnnamedTemporaries;

}  // namespace Glossmith::inline Classes
