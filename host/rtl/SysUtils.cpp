#include "host/rtl/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace Glossmith::inline Rtl {

namespace {

[[noreturn]] void BadFormat(std::string_view format) {
  throw EConvertError(
      Format("Format '%s' invalid or incompatible with argument", {String(format)}));
}

// Negative 32-bit values print as their two's complement in %u and %x, as
// the classic 32-bit Format does; wider values keep all 64 bits.
uint64_t Unsigned(Int64 v) {
  return v < 0 && v >= INT32_MIN ? static_cast<uint64_t>(v) & 0xFFFFFFFFull
                                 : static_cast<uint64_t>(v);
}

}  // namespace

String Format(std::string_view format, std::initializer_list<TVarRec> args) {
  String result;
  result.reserve(format.size() + 16 * args.size());
  auto next = args.begin();
  size_t i = 0;
  auto number = [&](size_t& out) {
    bool any = false;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
      out = out * 10 + static_cast<size_t>(format[i++] - '0');
      any = true;
      if (out > 1 << 20) BadFormat(format);  // no width may exhaust memory
    }
    return any;
  };
  while (i < format.size()) {
    char c = format[i++];
    if (c != '%') {
      result += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      result += '%';
      ++i;
      continue;
    }
    // %[-][width][.precision]type
    bool left = false;
    if (i < format.size() && format[i] == '-') {
      left = true;
      ++i;
    }
    size_t width = 0;
    number(width);
    size_t precision = 0;
    bool hasPrecision = false;
    if (i < format.size() && format[i] == '.') {
      ++i;
      hasPrecision = true;
      number(precision);
    }
    if (i >= format.size()) BadFormat(format);
    char directive = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i++])));
    if (next == args.end()) BadFormat(format);
    const TVarRec& arg = *next++;
    String piece;
    switch (directive) {
      case 's':
        piece = arg.IsInt() ? IntToStr(arg.Int()) : arg.Str();
        if (hasPrecision && piece.size() > precision) piece.resize(precision);
        break;
      case 'd':
      case 'u':
      case 'x': {
        if (!arg.IsInt()) BadFormat(format);
        char buf[32];
        char* end;
        bool negative = false;
        if (directive == 'd') {
          negative = arg.Int() < 0;
          uint64_t magnitude =
              negative ? 0 - static_cast<uint64_t>(arg.Int()) : static_cast<uint64_t>(arg.Int());
          end = std::to_chars(buf, buf + sizeof buf, magnitude).ptr;
        } else {
          end =
              std::to_chars(buf, buf + sizeof buf, Unsigned(arg.Int()), directive == 'x' ? 16 : 10)
                  .ptr;
        }
        String digits(buf, end);
        if (directive == 'x')
          for (char& ch : digits)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        // The precision is the least number of digits, made up with zeros.
        if (hasPrecision && digits.size() < precision)
          digits.insert(0, precision - digits.size(), '0');
        piece = negative ? "-" + digits : digits;
        break;
      }
      default:
        BadFormat(format);
    }
    if (piece.size() < width) {
      if (left)
        piece.append(width - piece.size(), ' ');
      else
        piece.insert(0, width - piece.size(), ' ');
    }
    result += piece;
  }
  return result;
}

String IntToStr(Int64 value) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return String(buf, r.ptr);
}

namespace {

// Classic integer syntax: leading blanks, an optional sign, then decimal digits
// or "$" and hexadecimal digits; nothing after them.
bool ParseInt(std::string_view s, Int64 lo, Int64 hi, Int64& out) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  }
  if (i >= s.size()) return false;
  uint64_t magnitude = 0;
  const uint64_t limit =
      negative ? static_cast<uint64_t>(-(lo + 1)) + 1 : static_cast<uint64_t>(hi);
  for (; i < s.size(); ++i) {
    int digit;
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (std::isdigit(c))
      digit = c - '0';
    else if (base == 16 && std::isxdigit(c))
      digit = std::tolower(c) - 'a' + 10;
    else
      return false;
    if (magnitude > (UINT64_MAX - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
      return false;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    // Hexadecimal text may give the full unsigned range of the type, as the
    // classic conversion does ($FFFFFFFF is -1).
    uint64_t hexLimit = hi == INT32_MAX ? 0xFFFFFFFFull : UINT64_MAX;
    if (magnitude > (base == 16 && !negative ? hexLimit : limit)) return false;
  }
  if (base == 16 && !negative && hi == INT32_MAX)
    out = static_cast<Int64>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)));
  else if (base == 16 && !negative)
    out = static_cast<Int64>(magnitude);
  else
    out = negative ? static_cast<Int64>(0 - magnitude) : static_cast<Int64>(magnitude);
  return true;
}

[[noreturn]] void BadInteger(std::string_view s) {
  throw EConvertError(Format("'%s' is not a valid integer value", {String(s)}));
}

}  // namespace

bool TryStrToInt(std::string_view s, Integer& value) {
  Int64 v;
  if (!ParseInt(s, INT32_MIN, INT32_MAX, v)) return false;
  value = static_cast<Integer>(v);
  return true;
}

bool TryStrToInt64(std::string_view s, Int64& value) {
  return ParseInt(s, INT64_MIN, INT64_MAX, value);
}

Integer StrToInt(std::string_view s) {
  Integer v;
  if (!TryStrToInt(s, v)) BadInteger(s);
  return v;
}

Int64 StrToInt64(std::string_view s) {
  Int64 v;
  if (!TryStrToInt64(s, v)) BadInteger(s);
  return v;
}

Integer StrToIntDef(std::string_view s, Integer def) {
  Integer v;
  return TryStrToInt(s, v) ? v : def;
}

// The classic general format with the shortest digits that read back to the
// same value: plain notation while the decimal exponent lies between -4 and
// 14, otherwise "1.5E20" / "1E-5" (no "+", no leading zeros in the exponent).
String FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";  // also for -0, which reads back equal
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  std::string_view sci(buf, static_cast<size_t>(r.ptr - buf));
  String result;
  if (sci.front() == '-') {
    result += '-';
    sci.remove_prefix(1);
  }
  const size_t e = sci.find('e');
  String digits;
  for (char c : sci.substr(0, e))
    if (c != '.') digits += c;
  int exponent = 0;  // of the first digit: value = d.ddd * 10^exponent
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+'), sci.data() + sci.size(), exponent);
  if (exponent >= 15 || exponent < -4) {
    result += digits[0];
    if (digits.size() > 1) {
      result += '.';
      result.append(digits, 1);
    }
    result += 'E';
    result += IntToStr(exponent);
  } else if (exponent < 0) {
    result += "0.";
    result.append(static_cast<size_t>(-exponent - 1), '0');
    result += digits;
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      result += digits;
      result.append(whole - digits.size(), '0');
    } else {
      result.append(digits, 0, whole);
      result += '.';
      result.append(digits, whole);
    }
  }
  return result;
}

// Leading and trailing blanks, an optional sign, digits with an optional "."
// and exponent; also the texts FloatToStr gives for infinities and NaN, so
// that every value it writes reads back.
bool TryStrToFloat(std::string_view s, double& value) {
  size_t i = 0, end = s.size();
  while (i < end && (s[i] == ' ' || s[i] == '\t')) ++i;
  while (end > i && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
  std::string_view t = s.substr(i, end - i);
  bool negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return false;
  if (SameText(t, "INF")) {
    value = negative ? -HUGE_VAL : HUGE_VAL;
    return true;
  }
  if (SameText(t, "NAN")) {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  // from_chars would also take "inf", "nan", "infinity" and a second sign.
  for (char c : t)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E' ||
          c == '-' || c == '+'))
      return false;
  if (t[0] == '-' || t[0] == '+') return false;
  double v;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return false;
  value = negative ? -v : v;
  return true;
}

double StrToFloat(std::string_view s) {
  double v;
  if (!TryStrToFloat(s, v))
    throw EConvertError(Format("'%s' is not a valid floating point value", {String(s)}));
  return v;
}

void AppendUtf8(String& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

size_t Utf8CharLength(std::string_view s, size_t i, uint32_t& code) {
  if (i >= s.size()) return 0;
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) {
    code = c;
    return 1;
  }
  size_t n;
  uint32_t least;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    code = c & 0x1F;
    least = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    code = c & 0x0F;
    least = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    code = c & 0x07;
    least = 0x10000;
  } else {
    return 0;
  }
  if (n > s.size() - i) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

bool IsValidIdent(std::string_view s) {
  if (s.empty()) return false;
  for (size_t i = 0; i < s.size();) {
    const size_t n = IdentCharLength(s, i, i == 0);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

String UpperCase(std::string_view s) {
  String r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

EFileLineError::EFileLineError(const String& fileName, int line, const String& message)
    : EConvertError(Format("%s, line %d: %s", {fileName, line, message})),
      FFileName(fileName),
      FLine(line) {}

String LowerCase(std::string_view s) {
  String r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

namespace {

// The place of a byte in the order of sorted lists: symbols (control
// characters, blanks, punctuation), then digits, then letters with case
// ignored, then bytes beyond ASCII (UTF-8 sequences thus keep code-point
// order); within a class, by byte value.
inline unsigned SortWeight(unsigned char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
  const unsigned kind = c >= 0x80                ? 3u
                        : (c >= 'A' && c <= 'Z') ? 2u
                        : (c >= '0' && c <= '9') ? 1u
                                                 : 0u;
  return kind << 8 | c;
}

// Hyphen and apostrophe do not separate words: "coop" and "co-op" sort
// together.
inline bool IsWordMark(char c) { return c == '-' || c == '\''; }

int CompareWeights(std::string_view a, std::string_view b, bool skipMarks) {
  size_t i = 0, j = 0;
  for (;; ++i, ++j) {
    if (skipMarks) {
      while (i < a.size() && IsWordMark(a[i])) ++i;
      while (j < b.size() && IsWordMark(b[j])) ++j;
    }
    const bool aEnds = i == a.size(), bEnds = j == b.size();
    if (aEnds || bEnds) return aEnds == bEnds ? 0 : (aEnds ? -1 : 1);
    const unsigned x = SortWeight(static_cast<unsigned char>(a[i]));
    const unsigned y = SortWeight(static_cast<unsigned char>(b[j]));
    if (x != y) return x < y ? -1 : 1;
  }
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
  if (int c = CompareWeights(a, b, true); c != 0) return c;
  return CompareWeights(a, b, false);
}

bool AnsiSameText(std::string_view a, std::string_view b) { return SameText(a, b); }

String Trim(std::string_view s) {
  size_t i = 0, end = s.size();
  while (i < end && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  while (end > i && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
  return String(s.substr(i, end - i));
}

namespace {

size_t LastDelimiter(std::string_view fileName) { return fileName.find_last_of("/\\"); }

}  // namespace

String ExtractFilePath(std::string_view fileName) {
  size_t p = LastDelimiter(fileName);
  return p == std::string_view::npos ? String() : String(fileName.substr(0, p + 1));
}

String ExtractFileName(std::string_view fileName) {
  size_t p = LastDelimiter(fileName);
  return String(p == std::string_view::npos ? fileName : fileName.substr(p + 1));
}

String ExtractFileExt(std::string_view fileName) {
  String name = ExtractFileName(fileName);
  size_t dot = name.rfind('.');
  return dot == String::npos ? String() : name.substr(dot);
}

String ExpandFileName(std::string_view fileName) {
  String name(fileName);
  std::replace(name.begin(), name.end(), '\\', '/');
  if (!name.empty() && name[0] == '/') return name;
  char buf[4096];
  if (!::getcwd(buf, sizeof buf)) return name;
  String dir(buf);
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir + name;
}

bool FileExists(std::string_view fileName) {
  if (fileName.empty()) return false;
  struct stat st {};
  return ::stat(String(fileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view dirName) {
  if (dirName.empty()) return false;
  struct stat st {};
  return ::stat(String(dirName).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace Glossmith::inline Rtl
