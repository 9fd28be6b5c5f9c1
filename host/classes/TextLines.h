// Text split into lines, as string lists read text: a line ends at a carriage
// return, a line feed or the pair; a last line without an end is kept; there
// is no empty line after a final line end.
#pragma once

#include <cstring>
#include <string_view>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Classes {

// The number of lines in text.
inline size_t CountLines(std::string_view text) {
  size_t ends = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    ends += c == '\n' || (c == '\r' && (i + 1 == n || text[i + 1] != '\n'));
  }
  return ends + (n > 0 && text[n - 1] != '\n' && text[n - 1] != '\r');
}

// Calls f(line) for every line of text, in order, without copying.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* stop = lf ? lf : end;
    // A carriage return alone also ends a line; one right before the line
    // feed makes the pair a single line end.
    bool pairEnded = false;
    while (const char* cr =
               static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(stop - p)))) {
      f(std::string_view(p, static_cast<size_t>(cr - p)));
      p = cr + 1;
      if (p == lf) {
        pairEnded = true;
        break;
      }
    }
    if (pairEnded) {
      p = lf + 1;
    } else if (lf) {
      f(std::string_view(p, static_cast<size_t>(lf - p)));
      p = lf + 1;
    } else {
      if (p < end) f(std::string_view(p, static_cast<size_t>(end - p)));
      p = end;
    }
  }
}

// The lines of a whole file, held as views into the file's bytes.
class TTextLines {
 public:
  TTextLines() = default;
  // Reads the file; raises EFOpenError naming it when it cannot be read.
  void LoadFromFile(const String& fileName);
  void SetText(String Value);

  const String& Text() const { return FText; }
  std::vector<std::string_view>& Lines() { return FLines; }
  const std::vector<std::string_view>& Lines() const { return FLines; }

 private:
  String FText;
  std::vector<std::string_view> FLines;
};

// A file's bytes mapped into memory, read-only: nothing is copied, so a scan
// of a large file costs no more than the scan. Raises EFOpenError naming the
// file when it cannot be opened or is larger than MaxInputSize.
class TMappedFile {
 public:
  explicit TMappedFile(const String& fileName);
  ~TMappedFile();
  TMappedFile(const TMappedFile&) = delete;
  TMappedFile& operator=(const TMappedFile&) = delete;
  std::string_view Text() const { return FText; }

 private:
  std::string_view FText;
  void* FMap = nullptr;
  size_t FSize = 0;
  String FCopy;  // when the file cannot be mapped (a pipe, say)
};

// Calls f(line) for every line of text that begins with `prefix`, in order,
// finding candidates with a substring search rather than splitting every line.
template <class F>
void ForEachLineStartingWith(std::string_view text, std::string_view prefix, F&& f) {
  if (prefix.empty()) {
    ForEachLine(text, [&](std::string_view line) { f(line); });
    return;
  }
  const char* begin = text.data();
  const char* end = begin + text.size();
  const char* p = begin;
  while (p < end) {
    const char* hit = static_cast<const char*>(
        ::memmem(p, static_cast<size_t>(end - p), prefix.data(), prefix.size()));
    if (!hit) return;
    const char* lineEnd = hit + prefix.size();
    while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
    if (hit == begin || hit[-1] == '\n' || hit[-1] == '\r')
      f(std::string_view(hit, static_cast<size_t>(lineEnd - hit)));
    p = lineEnd;
  }
}

}  // namespace Glossmith::inline Classes
