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

// The file's text; empty when it does not exist. One that cannot be read
// (or is no file) reads as empty too, except to a writer (`forWriting`),
// which must not replace what it could not read.
String ReadText(const String& fileName, bool forWriting = false) {
  std::error_code ec;
  const auto status = std::filesystem::status(fileName, ec);
  if (fileName.empty() || status.type() == std::filesystem::file_type::not_found) return String();
  try {
    if (!std::filesystem::is_regular_file(status))
      throw EFOpenError(Format("Cannot open file \"%s\". It is not a file", {fileName}));
    return ReadFileToString(fileName);
  } catch (const EFOpenError& e) {
    if (forWriting) throw EFCreateError(e.Message());
    return String();
  }
}

std::pair<String, String> Folded(const String& Section, const String& Ident) {
  return {LowerCase(Section), LowerCase(Ident)};
}

}  // namespace

TIniText::TIniText(String Text) : FText(std::move(Text)) { Parse(); }

std::string_view TIniText::LineText(const TLine& line) const {
  return std::string_view(FText).substr(line.Begin, line.End - line.Begin);
}

void TIniText::Parse() {
  FLines.clear();
  FValues.clear();
  const std::string_view text = FText;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t lf = text.find('\n', pos);
    TLine line;
    line.Begin = pos;
    line.HasEnd = lf != std::string_view::npos;
    line.End = line.HasEnd ? lf : text.size();
    if (line.End > pos && text[line.End - 1] == '\r') {
      // A CR that ends the file ends its last line too: a line added after
      // it turns it into CR LF, and the value must read the same before.
      --line.End;
      line.CrLf = line.HasEnd;
    }
    FLines.push_back(line);
    pos = line.HasEnd ? lf + 1 : text.size();
  }
  String section, name;
  std::string_view raw;
  bool inSection = false;
  for (size_t i = 0; i < FLines.size(); ++i) {
    const std::string_view line = LineText(FLines[i]);
    if (SectionOf(line, section)) {
      inSection = true;
      section = LowerCase(section);
    } else if (inSection && ValueOf(line, name, raw)) {
      FValues.emplace(std::make_pair(section, LowerCase(name)), i);
    }
  }
}

bool TIniText::Find(const String& Section, const String& Ident, String& Value) const {
  auto found = FValues.find(Folded(Section, Ident));
  if (found == FValues.end()) return false;
  String name;
  std::string_view raw;
  ValueOf(LineText(FLines[found->second]), name, raw);
  Value = Unescape(raw);
  return true;
}

void TIniText::Set(const String& Section, const String& Ident, const String& Value) {
  Set(Section, {{Ident, Value}});
}

void TIniText::Set(const String& Section, const std::vector<std::pair<String, String>>& Values) {
  // Only the values' own lines change, or lines are added at the end of
  // their section, or the section is added at the end: every other byte of
  // the text stays as it was. The text is built once, as the values one by
  // one would leave it.
  constexpr size_t None = static_cast<size_t>(-1);
  size_t last = None;                  // the section's last line that is not blank
  std::map<String, size_t> inSection;  // the section's value lines by folded name
  String section, name;
  std::string_view raw;
  for (size_t i = 0; i < FLines.size(); ++i) {
    const std::string_view text = LineText(FLines[i]);
    if (SectionOf(text, section)) {
      if (last != None) break;
      if (SameText(section, Section)) last = i;
    } else if (last != None) {
      if (ValueOf(text, name, raw)) inSection.emplace(LowerCase(name), i);
      if (!Trim(text).empty()) last = i;
    }
  }
  std::map<size_t, String> replaced;  // line index: its new text
  std::vector<String> added;
  std::map<String, size_t> addedAt;  // folded name: index in `added`
  for (const auto& [ident, value] : Values) {
    String entry = ident + "=" + Escape(value);
    const String folded = LowerCase(ident);
    if (auto at = inSection.find(folded); at != inSection.end())
      replaced[at->second] = std::move(entry);
    else if (auto again = addedAt.find(folded); again != addedAt.end())
      added[again->second] = std::move(entry);
    else {
      addedAt.emplace(folded, added.size());
      added.push_back(std::move(entry));
    }
  }

  const bool crlf = !FLines.empty() && FLines.front().CrLf;
  const String eol = crlf ? "\r\n" : "\n";
  // What ends a last line that had no line end, before more lines: a CR
  // that ended the file needs only its LF.
  const auto endOf = [&](const TLine& line) {
    return line.End < FText.size() ? String("\n") : eol;
  };
  String out;
  out.reserve(FText.size() + 64);
  for (size_t i = 0; i < FLines.size(); ++i) {
    const TLine& line = FLines[i];
    const size_t next = i + 1 < FLines.size() ? FLines[i + 1].Begin : FText.size();
    if (auto r = replaced.find(i); r != replaced.end())
      out.append(r->second).append(FText, line.End, next - line.End);
    else
      out.append(FText, line.Begin, next - line.Begin);
    if (i == last)
      for (size_t k = 0; k < added.size(); ++k) {
        if (line.HasEnd)
          out.append(added[k]).append(eol);
        else
          out.append(k == 0 ? endOf(line) : eol).append(added[k]);
      }
  }
  if (last == None && !added.empty()) {
    const bool endless = !FLines.empty() && !FLines.back().HasEnd;
    const bool blankLast = FLines.empty() || Trim(LineText(FLines.back())).empty();
    if (endless) out += endOf(FLines.back());
    if (!blankLast) out += eol;
    out += "[" + Section + "]" + eol;
    for (const String& entry : added) out.append(entry).append(eol);
  }
  FText = std::move(out);
  Parse();
}

TRegIniFile::TRegIniFile(const String& Key) : FFileName(KeyFileName(Key)) {}

String TRegIniFile::ConfigFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  const char* home = std::getenv("HOME");
  // Without a home there is no folder of the user's own: settings are then
  // read as absent and not written, rather than left in whatever folder the
  // program runs in.
  if (!home || !*home) return String();
  return String(home) + "/.config";
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
  if (path.empty()) return String();
  for (const String& p : parts) path += "/" + p;
  return path + ".ini";
}

const TIniText& TRegIniFile::Parsed() const {
  if (!FParsed) FParsed.emplace(ReadText(FFileName));
  return *FParsed;
}

bool TRegIniFile::ValueExists(const String& Section, const String& Ident) const {
  String raw;
  return Parsed().Find(Section, Ident, raw);
}

String TRegIniFile::ReadString(const String& Section, const String& Ident,
                               const String& Default) const {
  String raw;
  return Parsed().Find(Section, Ident, raw) ? raw : Default;
}

Integer TRegIniFile::ReadInteger(const String& Section, const String& Ident,
                                 Integer Default) const {
  String raw;
  Integer value = 0;
  return Parsed().Find(Section, Ident, raw) && TryStrToInt(Trim(raw), value) ? value : Default;
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  String raw;
  if (!Parsed().Find(Section, Ident, raw)) return Default;
  String t = Trim(raw);
  if (t == "1" || SameText(t, "True")) return true;
  if (t == "0" || SameText(t, "False")) return false;
  return Default;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  WriteStrings(Section, {{Ident, Value}});
}

void TRegIniFile::WriteStrings(const String& Section,
                               const std::vector<std::pair<String, String>>& Values) {
  if (FFileName.empty())
    throw EFCreateError(
        "Cannot write settings: there is no settings folder (neither XDG_CONFIG_HOME nor HOME is "
        "set)");
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(FFileName).parent_path(), ec);
  TFileLock lock(FFileName);
  TIniText text(ReadText(FFileName, true));
  text.Set(Section, Values);
  WriteFileAtomically(FFileName, text.Text());
  FParsed = std::move(text);
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

}  // namespace Glossmith::inline Platform
