#include "host/platform/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"

namespace Glossmith::inline Platform {

namespace {

String Escape(std::string_view s) {
  String out;
  for (char c : s) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

String Unescape(std::string_view s) {
  String out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
    } else {
      out += s[i];
    }
  }
  return out;
}

// A section header "[Name]" (blanks around it allowed): its name, or false.
bool SectionOf(std::string_view line, String& name) {
  String t = Trim(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  name = Trim(std::string_view(t).substr(1, t.size() - 2));
  return true;
}

// A value line "Name=Value": its name and raw value, or false.
bool ValueOf(std::string_view line, String& name, std::string_view& raw) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  name = Trim(line.substr(0, eq));
  if (name.empty()) return false;
  raw = line.substr(eq + 1);
  return true;
}

// The file's text; empty when it does not exist or cannot be read.
String ReadText(const String& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return String();
  try {
    return ReadFileToString(fileName);
  } catch (const EFOpenError&) {
    return String();
  }
}

// One line of a settings file: where it lies in the text (without its line
// end) and what it says.
struct TIniLine {
  size_t Begin = 0;
  size_t End = 0;  // before the line end ("\n" or "\r\n")
  bool HasEnd = false;
  bool CrLf = false;
  std::string_view Text;
};

std::vector<TIniLine> SplitLines(std::string_view text) {
  std::vector<TIniLine> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t lf = text.find('\n', pos);
    TIniLine line;
    line.Begin = pos;
    line.HasEnd = lf != std::string_view::npos;
    line.End = line.HasEnd ? lf : text.size();
    if (line.HasEnd && line.End > pos && text[line.End - 1] == '\r') {
      --line.End;
      line.CrLf = true;
    }
    line.Text = text.substr(line.Begin, line.End - line.Begin);
    lines.push_back(line);
    pos = line.HasEnd ? lf + 1 : text.size();
  }
  return lines;
}

}  // namespace

TRegIniFile::TRegIniFile(const String& Key) : FFileName(KeyFileName(Key)) {}

String TRegIniFile::ConfigFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  const char* home = std::getenv("HOME");
  return String(home && *home ? home : ".") + "/.config";
}

String TRegIniFile::KeyFileName(const String& Key) {
  std::vector<String> parts;
  String part;
  for (char c : Key + "\\") {
    if (c == '\\' || c == '/') {
      if (!part.empty() && part != "." && part != "..") parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!parts.empty() && SameText(parts.front(), "Software") && parts.size() > 1)
    parts.erase(parts.begin());
  if (parts.empty()) throw EFCreateError("An empty settings key names no file");
  String path = ConfigFolder();
  for (const String& p : parts) path += "/" + p;
  return path + ".ini";
}

bool TRegIniFile::Find(const String& Section, const String& Ident, String& raw) const {
  String section, name;
  std::string_view value;
  bool inSection = false;
  const String text = ReadText(FFileName);
  for (const TIniLine& line : SplitLines(text)) {
    if (SectionOf(line.Text, section))
      inSection = SameText(section, Section);
    else if (inSection && ValueOf(line.Text, name, value) && SameText(name, Ident)) {
      raw = Unescape(value);
      return true;
    }
  }
  return false;
}

bool TRegIniFile::ValueExists(const String& Section, const String& Ident) const {
  String raw;
  return Find(Section, Ident, raw);
}

String TRegIniFile::ReadString(const String& Section, const String& Ident,
                               const String& Default) const {
  String raw;
  return Find(Section, Ident, raw) ? raw : Default;
}

Integer TRegIniFile::ReadInteger(const String& Section, const String& Ident,
                                 Integer Default) const {
  String raw;
  Integer value = 0;
  return Find(Section, Ident, raw) && TryStrToInt(Trim(raw), value) ? value : Default;
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  String raw;
  if (!Find(Section, Ident, raw)) return Default;
  String t = Trim(raw);
  if (t == "1" || SameText(t, "True")) return true;
  if (t == "0" || SameText(t, "False")) return false;
  return Default;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(FFileName).parent_path(), ec);
  TFileLock lock(FFileName);
  String text = ReadText(FFileName);
  const std::vector<TIniLine> lines = SplitLines(text);
  const String entry = Ident + "=" + Escape(Value);
  // Only the value's own line changes, or one line is added at the end of
  // its section, or the section is added at the end: every other byte of the
  // file stays as it was.
  String section, name;
  std::string_view raw;
  bool inSection = false;
  const TIniLine* last = nullptr;  // the section's last line that is not blank
  for (const TIniLine& line : lines) {
    if (SectionOf(line.Text, section)) {
      if (inSection) break;
      inSection = SameText(section, Section);
      if (inSection) last = &line;
    } else if (inSection) {
      if (ValueOf(line.Text, name, raw) && SameText(name, Ident)) {
        text.replace(line.Begin, line.End - line.Begin, entry);
        WriteFileAtomically(FFileName, text);
        return;
      }
      if (!Trim(line.Text).empty()) last = &line;
    }
  }
  const bool crlf = !lines.empty() && lines.front().CrLf;
  const String eol = crlf ? "\r\n" : "\n";
  if (last) {
    size_t at = last->End + (last->HasEnd ? (last->CrLf ? 2 : 1) : 0);
    text.insert(at, (last->HasEnd ? String() : eol) + entry + (last->HasEnd ? eol : String()));
  } else {
    if (!text.empty() && !lines.back().HasEnd) text += eol;
    if (!lines.empty() && !Trim(lines.back().Text).empty()) text += eol;
    text += "[" + Section + "]" + eol + entry + eol;
  }
  WriteFileAtomically(FFileName, text);
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

}  // namespace Glossmith::inline Platform
