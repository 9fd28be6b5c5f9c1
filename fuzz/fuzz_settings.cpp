// Any settings file through the settings store's reader and writer: never a
// crash; a value written reads back, through the changed text and through
// that text read afresh; writing the same value again changes nothing; a
// value of another name or section is left as it was; and several values
// written at once give the text they give one by one.
#include <cstddef>
#include <cstdint>

#include "host/platform/Registry.h"

using namespace Glossmith;

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

String Read(const TIniText& text, const String& section, const String& ident) {
  String value;
  return text.Find(section, ident, value) ? value : String("<absent>");
}

// A name the file itself uses, so that writes also meet existing lines: the
// first section header and the first "name=" of the text.
void NamesOf(std::string_view text, String& section, String& ident) {
  size_t pos = 0;
  while (pos < text.size() && (section.empty() || ident.empty())) {
    size_t lf = text.find('\n', pos);
    std::string_view line = text.substr(pos, lf == std::string_view::npos ? lf : lf - pos);
    pos = lf == std::string_view::npos ? text.size() : lf + 1;
    String t = Trim(line);
    if (section.empty() && t.size() > 2 && t.front() == '[' && t.back() == ']')
      section = Trim(std::string_view(t).substr(1, t.size() - 2));
    else if (size_t eq = line.find('='); ident.empty() && eq != std::string_view::npos)
      ident = Trim(line.substr(0, eq));
  }
}

void WriteAndCheck(TIniText& text, const String& section, const String& ident,
                   const String& value) {
  if (section.empty() || ident.empty()) return;
  const String otherSection = SameText(section, "Glossmith") ? "Other" : "Glossmith";
  const String before = Read(text, otherSection, "A");
  text.Set(section, ident, value);
  Check(Read(text, section, ident) == value);
  Check(Read(TIniText(text.Text()), section, ident) == value);
  Check(Read(text, otherSection, "A") == before);
  const String once = text.Text();
  text.Set(section, ident, value);
  Check(text.Text() == once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String input(reinterpret_cast<const char*>(data), size);
  TIniText text(input);
  for (const char* ident : {"A", "MoveNextUntranslated", "Common0", "Missing"})
    Read(text, "Glossmith", ident);

  WriteAndCheck(text, "Glossmith", "Common0", "Caption");
  WriteAndCheck(text, "Glossmith", "EditFontName", "a \\ b\r\nc=d");
  WriteAndCheck(text, "New Section", "A", "");
  String section, ident;
  NamesOf(input, section, ident);
  // A value that ended in "]" could turn a name that begins with "[" into
  // a section header; the editor's values never meet such names.
  WriteAndCheck(text, section, ident, "written");
  WriteAndCheck(text, "Glossmith", ident, "1");

  // Several values at once leave the text as they do one by one.
  if (!section.empty() && !ident.empty()) {
    const std::vector<std::pair<String, String>> values = {
        {ident, "x"}, {"Common1", "y"}, {"Common2", ""}, {ident, "z"}};
    TIniText batch(input), single(input);
    batch.Set(section, values);
    for (const auto& [name, value] : values) single.Set(section, name, value);
    Check(batch.Text() == single.Text());
  }
  return 0;
}
