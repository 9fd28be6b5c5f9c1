// The literal form of string values: quoted runs of printable characters
// joined with #nn codes for control characters, so that any value fits on one
// line of a text file.
#include "gls/Gls.h"

namespace Glossmith::inline Gls {

namespace {

constexpr char Quote = '\'';

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

// The length of the literal form of S, so that the result is allocated once.
size_t LiteralLength(std::string_view s) {
  size_t n = 0;
  bool inRun = false;
  for (char c : s) {
    if (IsControl(c)) {
      n += static_cast<unsigned char>(c) >= 10 ? 3 : 2;
      inRun = false;
    } else {
      n += c == Quote ? 2 : 1;
      if (!inRun) n += 2;
      inRun = true;
    }
  }
  return n;
}

}  // namespace

// Builds the result in a new string instead of editing S in place, so that a
// long text full of control characters costs linear time.
void TGlossmith::ConvertToLiterals(String& S) {
  if (S.empty()) {
    S = "''";
    return;
  }
  String out(LiteralLength(S), '\0');
  char* o = out.data();
  const char* p = S.data();
  const char* const end = p + S.size();
  while (p < end) {
    if (IsControl(*p)) {
      const unsigned char c = static_cast<unsigned char>(*p++);
      *o++ = '#';
      if (c >= 10) *o++ = static_cast<char>('0' + c / 10);
      *o++ = static_cast<char>('0' + c % 10);
      continue;
    }
    *o++ = Quote;
    for (; p < end && !IsControl(*p); ++p) {
      if (*p == Quote) *o++ = Quote;
      *o++ = *p;
    }
    *o++ = Quote;
  }
  S.swap(out);
}

// One left-to-right scan. On a "#" without a digit the conversion fails
// exactly as StrToInt of the empty text does; S is then left as it was.
void TGlossmith::ConvertFromLiterals(String& S) {
  String out(S.size(), '\0');  // decoding never lengthens a text
  char* o = out.data();
  const char* p = S.data();
  const char* const end = p + S.size();
  bool inside = false;
  while (p < end) {
    const char c = *p;
    if (inside) {
      if (c != Quote) {
        *o++ = c;
        ++p;
      } else if (p + 1 < end && p[1] == Quote) {
        *o++ = Quote;
        p += 2;
      } else {
        inside = false;
        ++p;
      }
    } else if (c == Quote) {
      inside = true;
      ++p;
    } else if (c == '#') {
      const char* digits = ++p;
      while (p < end && p - digits < 3 && *p >= '0' && *p <= '9') ++p;
      // No digit: the same conversion error as StrToInt of the empty text.
      if (p == digits) StrToInt(std::string_view());
      unsigned code = 0;
      for (const char* d = digits; d < p; ++d) code = code * 10 + static_cast<unsigned>(*d - '0');
      *o++ = static_cast<char>(code % 256);
    } else {
      *o++ = c;
      ++p;
    }
  }
  out.resize(static_cast<size_t>(o - out.data()));
  S.swap(out);
}

}  // namespace Glossmith::inline Gls
