// Writing a file so that it is replaced whole or not at all.
#pragma once

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Classes {

// Writes a new version of a file in pieces: the data goes to a temporary file
// beside the target, and Commit flushes it to disk and renames it over the old
// file. A writer destroyed without Commit (an error passed through) removes
// the temporary file and leaves the old file as it was. A symbolic link is
// followed; a folder or a read-only file is refused. Errors raise
// EFCreateError or EWriteError naming the file.
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

  String FFileName;
  String FTarget;
  String FTempName;
  bool FExists = false;
  unsigned FMode = 0;
  int FFd = -1;
  String FBuffer;
};

// The file that replacing `fileName` writes: the file a symbolic link points
// to (the link stays), otherwise `fileName` itself; a dangling link is
// replaced like a file.
String ReplacementTarget(const String& fileName);

// A hook for tests: when set, called with the temporary file's name before it
// is renamed over the target; throwing from it simulates a failed write.
extern void (*GBeforeAtomicRename)(const String& tempName);

}  // namespace Glossmith::inline Classes
