#include "host/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

void (*GBeforeAtomicRename)(const String& tempName) = nullptr;

namespace {

String SystemError() { return std::strerror(errno); }

}  // namespace

String ReadFileToString(const String& fileName) {
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, SystemError()}));
  String data;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw EFOpenError(Format("Cannot open file \"%s\". It is a directory", {fileName}));
  }
  if (st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      String why = SystemError();
      ::close(fd);
      throw EFOpenError(Format("Cannot read file \"%s\". %s", {fileName, why}));
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

namespace {

// The file to replace: a symbolic link is followed, so that the link stays and
// the file it points to gets the new content.
String ReplacementTarget(const String& fileName) {
  struct stat st {};
  if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
  char* real = ::realpath(fileName.c_str(), nullptr);
  if (!real) return fileName;  // a dangling link is replaced like a file
  String target(real);
  std::free(real);
  return target;
}

void SyncFolderOf(const String& fileName) {
  const String dir = ExtractFilePath(fileName);
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // best effort: the rename itself has happened
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const String& fileName, std::string_view data) {
  if (fileName.empty()) throw EFCreateError("Cannot create file \"\". No file name given");
  auto createError = [&](const String& why) {
    return EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, why}));
  };
  const String target = ReplacementTarget(fileName);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) throw createError("It is a directory");
  // A file its owner made read-only is not replaced behind their back, just
  // as opening it for writing would fail.
  if (exists && ::access(target.c_str(), W_OK) != 0) throw createError(SystemError());

  // The temporary file lives beside the target so that the rename stays on
  // one file system and is atomic.
  String temp;
  int fd = -1;
  std::random_device rd;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = target + ".tmp" + IntToStr(rd() % 1000000);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw createError(SystemError());
  auto fail = [&](const String& why) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", {fileName, why}));
  };
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(SystemError());
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  // Keep the permissions of the file being replaced.
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  if (::fsync(fd) != 0) fail(SystemError());
  if (::close(fd) != 0) {
    String why = SystemError();
    ::unlink(temp.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", {fileName, why}));
  }
  try {
    if (GBeforeAtomicRename) GBeforeAtomicRename(temp);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    String why = SystemError();
    ::unlink(temp.c_str());
    throw createError(why);
  }
  SyncFolderOf(target);
}

GLS_IMPLEMENT_CLASS(TStream)

Int64 TStream::Size() {
  Int64 pos = Seek(0, soCurrent);
  Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, Int64 count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

GLS_IMPLEMENT_CLASS(TFileStream)

TFileStream::TFileStream(const String& fileName, unsigned mode) : FFileName(fileName) {
  if (mode == fmCreate) {
    FFile = std::fopen(fileName.c_str(), "wb");
    if (!FFile)
      throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, SystemError()}));
  } else {
    FFile = std::fopen(fileName.c_str(), "rb");
    if (!FFile) throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, SystemError()}));
    // A folder opens like a file here; fail now rather than at the first read.
    struct stat st {};
    if (::fstat(::fileno(FFile), &st) == 0 && S_ISDIR(st.st_mode)) {
      std::fclose(FFile);
      FFile = nullptr;
      throw EFOpenError(Format("Cannot open file \"%s\". It is a directory", {fileName}));
    }
  }
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
  if (count <= 0) return 0;
  size_t n = std::fread(buffer, 1, static_cast<size_t>(count), FFile);
  if (n < static_cast<size_t>(count) && std::ferror(FFile))
    throw EReadError(Format("Cannot read file \"%s\". %s", {FFileName, SystemError()}));
  return static_cast<Int64>(n);
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  return static_cast<Int64>(std::fwrite(buffer, 1, static_cast<size_t>(count), FFile));
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  if (std::fseek(FFile, static_cast<long>(offset), whence) != 0) return -1;
  return static_cast<Int64>(std::ftell(FFile));
}

GLS_IMPLEMENT_CLASS(TMemoryStream)

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
  if (count <= 0 || FPos >= FData.size()) return 0;
  size_t n = std::min(static_cast<size_t>(count), FData.size() - FPos);
  std::memcpy(buffer, FData.data() + FPos, n);
  FPos += n;
  return static_cast<Int64>(n);
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  size_t n = static_cast<size_t>(count);
  if (FPos + n > FData.size()) FData.resize(FPos + n);
  std::memcpy(FData.data() + FPos, buffer, n);
  FPos += n;
  return count;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
  Int64 base = origin == soBeginning ? 0
               : origin == soCurrent ? static_cast<Int64>(FPos)
                                     : static_cast<Int64>(FData.size());
  Int64 pos = base + offset;
  if (pos < 0) pos = 0;
  FPos = static_cast<size_t>(pos);
  return pos;
}
