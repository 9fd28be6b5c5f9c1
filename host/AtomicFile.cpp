#include "host/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "host/Streams.h"

namespace {

constexpr size_t kBufferSize = 1 << 20;

String SystemError() { return std::strerror(errno); }

}  // namespace

TAtomicFileWriter::TAtomicFileWriter(const String& fileName) : FFileName(fileName) {
  if (fileName.empty()) throw EFCreateError("Cannot create file \"\". No file name given");
  // The temporary file lives beside the target so that the rename stays on
  // one file system and is atomic.
  std::random_device rd;
  for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
    FTempName = fileName + ".tmp" + IntToStr(rd() % 1000000);
    FFd = ::open(FTempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FFd < 0 && errno != EEXIST) break;
  }
  if (FFd < 0)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, SystemError()}));
  FBuffer.reserve(kBufferSize);
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
  if (FBuffer.size() + data.size() > kBufferSize) Flush();
  if (data.size() >= kBufferSize) {
    FBuffer.assign(data);
    Flush();
    return;
  }
  FBuffer.append(data);
}

void TAtomicFileWriter::Flush() {
  const char* p = FBuffer.data();
  size_t left = FBuffer.size();
  while (left > 0) {
    ssize_t n = ::write(FFd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(SystemError());
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  FBuffer.clear();
}

void TAtomicFileWriter::Commit() {
  Flush();
  // Keep the permissions of the file being replaced.
  struct stat st {};
  if (::stat(FFileName.c_str(), &st) == 0) ::fchmod(FFd, st.st_mode & 07777);
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
  if (::rename(FTempName.c_str(), FFileName.c_str()) != 0) {
    String why = SystemError();
    ::unlink(FTempName.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {FFileName, why}));
  }
}
