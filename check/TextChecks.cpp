#include "check/TextChecks.h"

#include <algorithm>
#include <cctype>

namespace Glossmith::inline Check {

namespace {

uint32_t CodeAt(std::string_view s, size_t i, size_t& length) {
  uint32_t code = 0;
  length = Utf8CharLength(s, i, code);
  if (length == 0) {
    length = 1;
    code = static_cast<unsigned char>(s[i]);
  }
  return code;
}

uint32_t UpperKey(uint32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  // Latin-1 letters: the small ones are 32 above their capitals (but ÷, ÿ).
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

void AppendUtf8(String& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

bool IsLetterCode(uint32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  if (c < 0xC0) return false;
  return c != 0xD7 && c != 0xF7 && !(c >= 0x2000 && c <= 0x206F) && !(c >= 0x3000 && c <= 0x303F) &&
         !(c >= 0xFF00 && c <= 0xFF20);
}

int WordsOf(std::string_view text) {
  int words = 0;
  bool inWord = false;
  for (char c : text) {
    const bool space = IsSpace(c) || c == '\r' || c == '\n';
    if (!space && !inWord) ++words;
    inWord = !space;
  }
  return words;
}

// How a text ends, after trailing whitespace.
enum class TEnding { None, Colon, Period, Ellipsis, Question, Exclamation, Semicolon };

const char* EndingName(TEnding e) {
  switch (e) {
    case TEnding::Colon:
      return "':'";
    case TEnding::Period:
      return "'.'";
    case TEnding::Ellipsis:
      return "'...'";
    case TEnding::Question:
      return "'?'";
    case TEnding::Exclamation:
      return "'!'";
    case TEnding::Semicolon:
      return "';'";
    default:
      return "no punctuation";
  }
}

TEnding EndingOf(std::string_view text) {
  // Trailing spaces, tabs, no-break spaces (U+00A0, U+202F).
  for (;;) {
    if (!text.empty() && IsSpace(text.back())) {
      text.remove_suffix(1);
    } else if (text.ends_with("\xC2\xA0")) {
      text.remove_suffix(2);
    } else if (text.ends_with("\xE2\x80\xAF")) {
      text.remove_suffix(3);
    } else {
      break;
    }
  }
  if (text.ends_with("...") || text.ends_with("\xE2\x80\xA6")) return TEnding::Ellipsis;
  struct TMark {
    const char* Text;
    TEnding Ending;
  };
  static const TMark marks[] = {
      {":", TEnding::Colon},           {"\xEF\xBC\x9A", TEnding::Colon},  // ：
      {".", TEnding::Period},          {"\xE3\x80\x82", TEnding::Period},  // 。
      {"\xE0\xA5\xA4", TEnding::Period},                                  // ।
      {"\xDB\x94", TEnding::Period},                                      // ۔
      {"?", TEnding::Question},        {"\xEF\xBC\x9F", TEnding::Question},  // ？
      {"\xD8\x9F", TEnding::Question},                                       // ؟
      {"\xCD\xBE", TEnding::Question},  // Greek question mark
      {"!", TEnding::Exclamation},     {"\xEF\xBC\x81", TEnding::Exclamation},  // ！
      {";", TEnding::Semicolon},
  };
  for (const TMark& m : marks)
    if (text.ends_with(m.Text)) return m.Ending;
  return TEnding::None;
}

bool EndingsAgree(TEnding original, TEnding translation) {
  if (original == translation) return true;
  // Greek writes its question mark as a semicolon.
  return original == TEnding::Question && translation == TEnding::Semicolon;
}

String LeadingSpace(std::string_view s) {
  size_t n = 0;
  while (n < s.size() && IsSpace(s[n])) ++n;
  return String(s.substr(0, n));
}

String TrailingSpace(std::string_view s) {
  size_t n = 0;
  while (n < s.size() && IsSpace(s[s.size() - 1 - n])) ++n;
  return String(s.substr(s.size() - n));
}

String Joined(const std::vector<String>& items) {
  String out;
  for (const String& s : items) out += (out.empty() ? "" : " ") + s;
  return out;
}

}  // namespace

TAccelerators AcceleratorsOf(std::string_view caption) {
  TAccelerators result;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (i + 1 >= caption.size()) break;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    size_t length = 0;
    const uint32_t code = CodeAt(caption, i + 1, length);
    if (result.Count++ == 0) result.Key = UpperKey(code);
  }
  return result;
}

String KeyName(uint32_t key) {
  String out;
  if (key == ' ')
    return "Space";
  AppendUtf8(out, key);
  return out;
}

String StripAccelerators(std::string_view caption) {
  String out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

size_t PlaceholderLength(std::string_view s) {
  if (s.size() < 2 || s[0] != '%' || s[1] == '%') return 0;
  auto digit = [&](size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
  size_t j = 1;
  size_t digitsEnd = j;
  while (digit(digitsEnd)) ++digitsEnd;
  bool indexed = false;
  if (digitsEnd > j && digitsEnd < s.size() && s[digitsEnd] == ':') {
    indexed = true;  // %0:s, the host's argument index
    j = digitsEnd + 1;
  } else if (digitsEnd > j) {
    const char next = digitsEnd < s.size() ? s[digitsEnd] : '\0';
    // %1: a numbered placeholder.
    if (!std::isalpha(static_cast<unsigned char>(next)) && next != '.') return digitsEnd;
  }
  while (j < s.size() && (s[j] == '-' || s[j] == '+' || s[j] == '#' || (!indexed && s[j] == '0')))
    ++j;
  if (j < s.size() && s[j] == '*')
    ++j;
  else
    while (digit(j)) ++j;
  if (j < s.size() && s[j] == '.') {
    ++j;
    if (j < s.size() && s[j] == '*')
      ++j;
    else
      while (digit(j)) ++j;
  }
  while (j < s.size() && (s[j] == 'h' || s[j] == 'l' || s[j] == 'L' || s[j] == 'q' ||
                          s[j] == 'j' || s[j] == 'z' || s[j] == 't'))
    ++j;
  if (j >= s.size()) return 0;
  static constexpr std::string_view conversions = "diouxXeEfFgGaAcspnmDUSNMP";
  if (conversions.find(s[j]) == std::string_view::npos) return 0;
  return j + 1;
}

std::vector<String> PlaceholdersOf(std::string_view s) {
  std::vector<String> found;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') continue;
    if (i + 1 < s.size() && s[i + 1] == '%') {
      ++i;
      continue;
    }
    if (const size_t n = PlaceholderLength(s.substr(i))) {
      found.emplace_back(s.substr(i, n));
      i += n - 1;
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

bool HasLetters(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    size_t length = 0;
    if (IsLetterCode(CodeAt(text, i, length))) return true;
    i += length;
  }
  return false;
}

int LineBreaksOf(std::string_view text) {
  int n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      ++n;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      ++n;
    }
  }
  return n;
}

void CheckTexts(std::string_view original, std::string_view translation, bool caption,
                std::vector<TTextFinding>& findings) {
  if (translation == original) {
    const std::string_view words = original;
    if (HasLetters(original) && WordsOf(caption ? StripAccelerators(words) : String(words)) >= 2)
      findings.push_back({"unchanged", "the translation is the original text"});
    return;
  }
  if (caption) {
    const TAccelerators o = AcceleratorsOf(original);
    const TAccelerators t = AcceleratorsOf(translation);
    if (o.Count == 1 && t.Count == 0)
      findings.push_back({"accelerator", "the accelerator '&" + KeyName(o.Key) + "' is lost"});
    else if (o.Count == 1 && t.Count > 1)
      findings.push_back(
          {"accelerator", Format("%d accelerator marks where the original has one", {t.Count})});
  }
  const std::vector<String> po = PlaceholdersOf(original);
  const std::vector<String> pt = PlaceholdersOf(translation);
  if (po != pt) {
    std::vector<String> missing, added;
    std::set_difference(po.begin(), po.end(), pt.begin(), pt.end(), std::back_inserter(missing));
    std::set_difference(pt.begin(), pt.end(), po.begin(), po.end(), std::back_inserter(added));
    String message;
    if (!missing.empty()) message = "missing " + Joined(missing);
    if (!added.empty()) message += (message.empty() ? "" : "; ") + String("added ") + Joined(added);
    findings.push_back({"placeholders", "placeholders differ: " + message});
  }
  if (LeadingSpace(original) != LeadingSpace(translation))
    findings.push_back({"whitespace", "the leading whitespace differs from the original's"});
  if (TrailingSpace(original) != TrailingSpace(translation))
    findings.push_back({"whitespace", "the trailing whitespace differs from the original's"});
  const int bo = LineBreaksOf(original), bt = LineBreaksOf(translation);
  if (bo != bt)
    findings.push_back({"line-breaks", Format("%d line breaks where the original has %d", {bt, bo})});
  const TEnding eo = EndingOf(original), et = EndingOf(translation);
  if (!EndingsAgree(eo, et) && !translation.empty())
    findings.push_back({"punctuation", String("ends with ") + EndingName(et) +
                                           " where the original ends with " + EndingName(eo)});
  if (translation.find("  ") != std::string_view::npos &&
      original.find("  ") == std::string_view::npos)
    findings.push_back({"double-space", "two spaces in a row"});
}

}  // namespace Glossmith::inline Check
