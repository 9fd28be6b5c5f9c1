#include "host/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

String Format(std::string_view format, std::initializer_list<TVarRec> args) {
  String result;
  result.reserve(format.size() + 16 * args.size());
  auto next = args.begin();
  size_t i = 0;
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
    bool left = false;
    if (i < format.size() && format[i] == '-') {
      left = true;
      ++i;
    }
    size_t width = 0;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
      width = width * 10 + static_cast<size_t>(format[i++] - '0');
    if (i >= format.size()) throw EConvertError(Format("Format '%s' invalid or incompatible with argument", {String(format)}));
    char directive = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i++])));
    if (next == args.end())
      throw EConvertError(Format("No argument for format '%s'", {String(format)}));
    const TVarRec& arg = *next++;
    String piece;
    switch (directive) {
      case 's':
        piece = arg.IsInt() ? IntToStr(arg.Int()) : arg.Str();
        break;
      case 'd':
      case 'u':
        if (!arg.IsInt())
          throw EConvertError(Format("Format '%s' invalid or incompatible with argument", {String(format)}));
        piece = IntToStr(arg.Int());
        break;
      case 'x': {
        if (!arg.IsInt())
          throw EConvertError(Format("Format '%s' invalid or incompatible with argument", {String(format)}));
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<uint64_t>(arg.Int()) &
                                   (arg.Int() < 0 && arg.Int() >= INT32_MIN ? 0xFFFFFFFFull : ~0ull), 16);
        piece.assign(buf, r.ptr);
        std::transform(piece.begin(), piece.end(), piece.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
        break;
      }
      default:
        throw EConvertError(Format("Format '%s' invalid or incompatible with argument", {String(format)}));
    }
    if (piece.size() < width) {
      String pad(width - piece.size(), directive == 'x' ? '0' : ' ');
      piece = left ? piece + String(width - piece.size(), ' ') : pad + piece;
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
  const uint64_t limit = negative ? static_cast<uint64_t>(-(lo + 1)) + 1 : static_cast<uint64_t>(hi);
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

String FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  String s(buf, r.ptr);
  // The classic exponent form: "1E20", "1.5E-7".
  size_t e = s.find('e');
  if (e != String::npos) {
    String mantissa = s.substr(0, e);
    String exponent = s.substr(e + 1);
    bool negative = !exponent.empty() && exponent[0] == '-';
    size_t digits = exponent.find_first_not_of("+-0");
    exponent = digits == String::npos ? "0" : exponent.substr(digits);
    s = mantissa + "E" + (negative ? "-" : "") + exponent;
  }
  return s;
}

bool TryStrToFloat(std::string_view s, double& value) {
  size_t i = 0, end = s.size();
  while (i < end && (s[i] == ' ' || s[i] == '\t')) ++i;
  while (end > i && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
  if (i < end && s[i] == '+') ++i;
  if (i >= end) return false;
  // Only digits, one sign, ".", and an exponent: no "inf", "nan" or hex floats.
  for (size_t k = i; k < end; ++k) {
    char c = s[k];
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E' ||
          c == '-' || c == '+'))
      return false;
  }
  double v;
  auto r = std::from_chars(s.data() + i, s.data() + end, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + end) return false;
  value = v;
  return true;
}

double StrToFloat(std::string_view s) {
  double v;
  if (!TryStrToFloat(s, v))
    throw EConvertError(Format("'%s' is not a valid floating point value", {String(s)}));
  return v;
}

String UpperCase(std::string_view s) {
  String r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

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

String Trim(std::string_view s) {
  size_t i = 0, end = s.size();
  while (i < end && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  while (end > i && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
  return String(s.substr(i, end - i));
}

namespace {

size_t LastDelimiter(std::string_view fileName) {
  return fileName.find_last_of("/\\");
}

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
