#include "host/classes/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <limits>
#include <cstdlib>
#include <cstring>

#include "host/classes/AtomicFile.h"

namespace Glossmith::inline Classes {

namespace {

String SystemError() { return std::strerror(errno); }

// -1 until set by SetMaxInputSize; the environment is read at first use.
std::atomic<Int64> g_maxInputSize{-1};

String SizeText(Int64 bytes) {
  if (bytes >= (Int64(1) << 30) && bytes % (Int64(1) << 30) == 0)
    return IntToStr(bytes >> 30) + " GiB";
  if (bytes >= (Int64(1) << 20) && bytes % (Int64(1) << 20) == 0)
    return IntToStr(bytes >> 20) + " MiB";
  if (bytes >= 1024 && bytes % 1024 == 0) return IntToStr(bytes >> 10) + " KiB";
  return IntToStr(bytes) + " bytes";
}

[[noreturn]] void TooLarge(const String& fileName, Int64 size, Int64 limit) {
  throw EFOpenError(Format(
      "Cannot read file \"%s\": its size (%s) is over the input size limit of %s "
      "(GLS_MAX_INPUT_SIZE sets another)",
      {fileName, size >= 0 ? IntToStr(size) + " bytes" : String("unknown"), SizeText(limit)}));
}

}  // namespace

Int64 ParseInputSize(std::string_view text) {
  String t = Trim(text);
  Int64 unit = 1;
  if (!t.empty()) {
    switch (t.back()) {
      case 'k': case 'K': unit = Int64(1) << 10; break;
      case 'm': case 'M': unit = Int64(1) << 20; break;
      case 'g': case 'G': unit = Int64(1) << 30; break;
      default: break;
    }
    if (unit != 1) t.pop_back();
  }
  Int64 value = 0;
  const bool digits =
      !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits || !TryStrToInt64(t, value) || value > std::numeric_limits<Int64>::max() / unit)
    throw EConvertError(Format("'%s' is not a valid size (bytes, or a number with K, M or G)",
                               {String(text)}));
  return value * unit;
}

Int64 MaxInputSize() {
  Int64 limit = g_maxInputSize.load();
  if (limit >= 0) return limit;
  limit = DefaultMaxInputSize;
  if (const char* env = std::getenv("GLS_MAX_INPUT_SIZE"); env && *env) {
    try {
      limit = ParseInputSize(env);
    } catch (const EConvertError&) {
      // A bad setting leaves the default in force rather than no limit.
    }
  }
  g_maxInputSize.store(limit);
  return limit;
}

void SetMaxInputSize(Int64 bytes) { g_maxInputSize.store(bytes < 0 ? -1 : bytes); }

void CheckInputSize(const String& fileName) {
  const Int64 limit = MaxInputSize();
  struct stat st {};
  if (limit > 0 && ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      st.st_size > limit)
    TooLarge(fileName, st.st_size, limit);
}

String ReadFileToString(const String& fileName) {
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, SystemError()}));
  String data;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw EFOpenError(Format("Cannot open file \"%s\". It is a directory", {fileName}));
  }
  const Int64 limit = MaxInputSize();
  if (limit > 0 && st.st_size > limit) {
    ::close(fd);
    TooLarge(fileName, st.st_size, limit);
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
    // A pipe or a device gives no size in advance: it is cut off at the limit.
    if (limit > 0 && static_cast<Int64>(data.size()) > limit) {
      ::close(fd);
      TooLarge(fileName, -1, limit);
    }
  }
  ::close(fd);
  return data;
}

void WriteFileAtomically(const String& fileName, std::string_view data) {
  TAtomicFileWriter writer(fileName);
  writer.Write(data);
  writer.Commit();
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

}  // namespace Glossmith::inline Classes
