#include "host/classes/TextLines.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/classes/Streams.h"

namespace Glossmith::inline Classes {

void TTextLines::LoadFromFile(const String& fileName) { SetText(ReadFileToString(fileName)); }

void TTextLines::SetText(String Value) {
  FText = std::move(Value);
  FLines.clear();
  FLines.reserve(CountLines(FText));
  ForEachLine(FText, [this](std::string_view line) { FLines.push_back(line); });
}

TMappedFile::TMappedFile(const String& fileName) {
  CheckInputSize(fileName);
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, std::strerror(errno)}));
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    void* map = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ,
                       MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (map != MAP_FAILED) {
      FMap = map;
      FSize = static_cast<size_t>(st.st_size);
      FText = std::string_view(static_cast<const char*>(map), FSize);
    }
  }
  ::close(fd);
  if (!FMap) {
    FCopy = ReadFileToString(fileName);
    FText = FCopy;
  }
}

TMappedFile::~TMappedFile() {
  if (FMap) ::munmap(FMap, FSize);
}

}  // namespace Glossmith::inline Classes
