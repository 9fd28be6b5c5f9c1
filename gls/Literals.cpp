// The literal form of string values: quoted runs of printable characters
// joined with #nn codes for control characters, so that any value fits on one
// line of a text file.
#include "gls/Gls.h"

namespace {

constexpr char kQuote = '\'';

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

void AppendCode(String& out, unsigned char c) {
  out += '#';
  if (c >= 10) out += static_cast<char>('0' + c / 10);
  out += static_cast<char>('0' + c % 10);
}

}  // namespace

// Builds the result in one pass instead of editing S in place, so that a long
// text full of control characters costs linear time.
void TGlossmith::ConvertToLiterals(String& S) {
  String out;
  out.reserve(S.size() + S.size() / 8 + 2);
  if (S.empty()) {
    out = "''";
    S.swap(out);
    return;
  }
  size_t i = 0;
  const size_t n = S.size();
  while (i < n) {
    if (IsControl(S[i])) {
      AppendCode(out, static_cast<unsigned char>(S[i]));
      ++i;
      continue;
    }
    out += kQuote;
    for (; i < n && !IsControl(S[i]); ++i) {
      if (S[i] == kQuote) out += kQuote;
      out += S[i];
    }
    out += kQuote;
  }
  S.swap(out);
}

// One left-to-right scan. On a "#" without a digit the conversion fails
// exactly as StrToInt of the empty text does; S is then left as it was.
void TGlossmith::ConvertFromLiterals(String& S) {
  String out;
  out.reserve(S.size());
  bool inside = false;
  const size_t n = S.size();
  size_t i = 0;
  while (i < n) {
    const char c = S[i];
    if (inside) {
      if (c == kQuote) {
        if (i + 1 < n && S[i + 1] == kQuote) {
          out += kQuote;
          i += 2;
        } else {
          inside = false;
          ++i;
        }
      } else {
        out += c;
        ++i;
      }
      continue;
    }
    if (c == kQuote) {
      inside = true;
      ++i;
    } else if (c == '#') {
      size_t digits = 0;
      while (digits < 3 && i + 1 + digits < n && S[i + 1 + digits] >= '0' &&
             S[i + 1 + digits] <= '9')
        ++digits;
      const Integer code = StrToInt(std::string_view(S).substr(i + 1, digits));
      out += static_cast<char>(static_cast<unsigned char>(code % 256));
      i += 1 + digits;
    } else {
      out += c;
      ++i;
    }
  }
  S.swap(out);
}
