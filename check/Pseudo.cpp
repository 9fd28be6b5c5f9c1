#include "check/Pseudo.h"

#include "check/TextChecks.h"

namespace Glossmith::inline Check {

namespace {

// Accented look-alikes of a to z and A to Z.
const char* const kLower[26] = {"å", "ƀ", "ç", "ð", "é", "ƒ", "ĝ", "ĥ", "î", "ĵ", "ķ", "ļ", "ɱ",
                                "ñ", "ö", "þ", "ǫ", "ŕ", "š", "ţ", "û", "ṽ", "ŵ", "ẋ", "ý", "ž"};
const char* const kUpper[26] = {"Å", "Ɓ", "Ç", "Ð", "É", "Ƒ", "Ĝ", "Ĥ", "Î", "Ĵ", "Ķ", "Ļ", "Ṁ",
                                "Ñ", "Ö", "Þ", "Ǫ", "Ŕ", "Š", "Ţ", "Û", "Ṽ", "Ŵ", "Ẋ", "Ý", "Ž"};

// The padding, a syllable at a time, so that the added length reads as words.
constexpr std::string_view kPadding = "·ŀöŕéɱ ïþšûɱ ðöļöŕ šîţ åɱéţ ";

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++n;
  return n;
}

int GrowthPercent(size_t length, int expand) {
  if (length <= 10) return expand * 5 / 2;
  if (length <= 20) return expand * 2;
  if (length <= 30) return expand * 3 / 2;
  if (length <= 50) return expand * 5 / 4;
  return expand;
}

// The accented form of one line, placeholders and accelerator keys kept.
String Accented(std::string_view line) {
  String out;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '&') {
      // The mark and the key it marks stay, so that the key still works.
      out += c;
      if (i + 1 < line.size()) out += line[++i];
      continue;
    }
    if (c == '%') {
      // A placeholder, or a literal "%%", stays whole.
      size_t n = i + 1 < line.size() && line[i + 1] == '%' ? 2 : PlaceholderLength(line.substr(i));
      if (n == 0) n = 1;
      out.append(line.substr(i, n));
      i += n - 1;
      continue;
    }
    if (c >= 'a' && c <= 'z')
      out += kLower[c - 'a'];
    else if (c >= 'A' && c <= 'Z')
      out += kUpper[c - 'A'];
    else
      out += c;
  }
  return out;
}

String Padding(size_t chars) {
  String out;
  size_t i = 0;
  while (chars > 0) {
    size_t length = 1;
    while (i + length < kPadding.size() &&
           (static_cast<unsigned char>(kPadding[i + length]) & 0xC0) == 0x80)
      ++length;
    out.append(kPadding.substr(i, length));
    i = (i + length) % kPadding.size();
    --chars;
  }
  // No padding ends in a space, which the whitespace check would count.
  while (!out.empty() && out.back() == ' ') out.back() = '~';
  return out;
}

}  // namespace

String Pseudolocalize(std::string_view text, const TPseudoOptions& options) {
  if (!HasLetters(text)) return String(text);
  // What follows a tab (a menu item's shortcut) stays as it is.
  const size_t tab = text.find('\t');
  const std::string_view body = text.substr(0, tab);
  const std::string_view tail = tab == std::string_view::npos ? std::string_view() : text.substr(tab);
  // Leading and trailing spaces stay outside the brackets.
  size_t lead = 0;
  while (lead < body.size() && body[lead] == ' ') ++lead;
  size_t trail = 0;
  while (trail < body.size() - lead && body[body.size() - 1 - trail] == ' ') ++trail;
  const std::string_view core = body.substr(lead, body.size() - lead - trail);

  String out(body.substr(0, lead));
  out += "[";
  const size_t length = CharCount(StripAccelerators(core));
  // Line by line, line breaks kept; the padding closes the last line.
  size_t start = 0;
  String accented;
  for (size_t i = 0; i <= core.size(); ++i) {
    if (i == core.size() || core[i] == '\r' || core[i] == '\n') {
      String line = Accented(core.substr(start, i - start));
      if (options.Mirror && !line.empty()) line = "\xE2\x80\xAE" + line + "\xE2\x80\xAC";
      accented += line;
      if (i < core.size()) accented += core[i];
      start = i + 1;
    }
  }
  out += accented;
  const size_t grow = (length * static_cast<size_t>(GrowthPercent(length, options.Expand)) + 99) / 100;
  // The brackets are part of the growth.
  if (grow > 2) out += " " + Padding(grow - 3);
  out += "]";
  out.append(body.substr(body.size() - trail));
  out.append(tail);
  return out;
}

bool IsTextProperty(std::string_view name) {
  static constexpr std::string_view names[] = {"Caption", "Hint",  "Text",         "Title",
                                               "Items",   "Lines", "DisplayLabel", "Tabs",
                                               "SimpleText", "TextHint"};
  for (std::string_view n : names)
    if (name == n) return true;
  return name.starts_with("SystemMenu");
}

}  // namespace Glossmith::inline Check
