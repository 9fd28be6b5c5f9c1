#include "host/classes/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "host/classes/Streams.h"

namespace Glossmith::inline Classes {

void (*GBeforeAtomicRename)(const String& tempName) = nullptr;

namespace {

constexpr size_t BufferSize = 1 << 20;

String SystemError() { return std::strerror(errno); }

void SyncFolderOf(const String& fileName) {
  const String dir = ExtractFilePath(fileName);
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // best effort: the rename itself has happened
  ::fsync(fd);
  ::close(fd);
}

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

TAtomicFileWriter::TAtomicFileWriter(const String& fileName) : FFileName(fileName) {
  auto createError = [&](const String& why) {
    return EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, why}));
  };
  if (fileName.empty()) throw createError("No file name given");
  FTarget = ReplacementTarget(fileName);
  struct stat old {};
  FExists = ::stat(FTarget.c_str(), &old) == 0;
  FMode = old.st_mode & 07777;
  if (FExists && S_ISDIR(old.st_mode)) throw createError("It is a directory");
  // A file its owner made read-only is not replaced behind their back, just
  // as opening it for writing would fail.
  if (FExists && ::access(FTarget.c_str(), W_OK) != 0) throw createError(SystemError());

  // The temporary file lives beside the target so that the rename stays on
  // one file system and is atomic.
  std::random_device rd;
  for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
    FTempName = FTarget + ".tmp" + IntToStr(rd() % 1000000);
    FFd = ::open(FTempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FFd < 0 && errno != EEXIST) break;
  }
  if (FFd < 0) throw createError(SystemError());
  FBuffer.reserve(BufferSize);
}

TAtomicFileWriter::~TAtomicFileWriter() {
  if (FFd >= 0) {
    ::close(FFd);
    ::unlink(FTempName.c_str());
  }
}

void TAtomicFileWriter::Fail(const String& why) {
  ::close(FFd);
  FFd = -1;
  ::unlink(FTempName.c_str());
  throw EWriteError(Format("Cannot write file \"%s\". %s", {FFileName, why}));
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
  int fd = FFd;
  FFd = -1;
  if (::close(fd) != 0) {
    String why = SystemError();
    ::unlink(FTempName.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", {FFileName, why}));
  }
  try {
    if (GBeforeAtomicRename) GBeforeAtomicRename(FTempName);
  } catch (...) {
    ::unlink(FTempName.c_str());
    throw;
  }
  if (::rename(FTempName.c_str(), FTarget.c_str()) != 0) {
    String why = SystemError();
    ::unlink(FTempName.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {FFileName, why}));
  }
  SyncFolderOf(FTarget);
}

}  // namespace Glossmith::inline Classes
