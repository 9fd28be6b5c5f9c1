// Writing a file so that it is replaced whole or not at all.
#pragma once

#include "host/SysUtils.h"

// Writes a new version of a file in pieces: the data goes to a temporary file
// beside the target, and Commit flushes it and renames it over the old file.
// A writer destroyed without Commit (an error passed through) removes the
// temporary file and leaves the old file as it was. Errors raise
// EFCreateError or EWriteError naming the target file.
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
  [[noreturn]] void Fail(const String& why);

  String FFileName;
  String FTempName;
  int FFd = -1;
  String FBuffer;
};
