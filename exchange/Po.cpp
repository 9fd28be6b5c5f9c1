#include "exchange/Po.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace Glossmith::inline Exchange {

bool TPoEntry::HasFlag(std::string_view flag) const {
  return std::find(Flags.begin(), Flags.end(), flag) != Flags.end();
}

void TPoEntry::SetFlag(std::string_view flag, bool on) {
  auto it = std::find(Flags.begin(), Flags.end(), flag);
  if (on && it == Flags.end())
    Flags.emplace_back(flag);
  else if (!on && it != Flags.end())
    Flags.erase(it);
}

const TPoEntry* TPoCatalog::Header() const {
  for (const TPoEntry& e : Entries)
    if (e.IsHeader()) return &e;
  return nullptr;
}

String TPoCatalog::HeaderField(std::string_view name) const {
  const TPoEntry* header = Header();
  if (!header) return String();
  std::string_view text = header->Str;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    size_t colon = line.find(':');
    if (colon != std::string_view::npos && SameText(Trim(line.substr(0, colon)), name))
      return Trim(line.substr(colon + 1));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return String();
}

// --- Line breaking -------------------------------------------------------------
//
// Where msgcat may break a string: the Unicode line-breaking classes of the
// characters (those of ASCII exactly, other scripts by their broad class) and
// a pair table: a break may fall before a character depending on the class
// of the last character before it that is not a space, and on whether spaces
// stand between them. Never before a space.

namespace {

enum TBreakClass : uint8_t { AL, EX, QU, PR, OP, CP, IS, HY, NU, BA, CL, ID, GL, B2, IN, SP, CM };

// kDirect[a][b]: a break may fall between a character of class a and one of
// class b; kSpaced: the same with spaces between them.
constexpr uint8_t kDirect[15][15] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}, {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0},
    {1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}, {1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}, {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 1, 1, 0},
    {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1, 0}, {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0},
    {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1, 0},
};
constexpr uint8_t kSpacedRow[15] = {1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 1, 1, 1, 1};

bool SpacedBreak(TBreakClass before, TBreakClass after) {
  if (before == OP) return false;
  if (before == QU && after == OP) return false;
  if (before == B2 && after == B2) return false;
  return kSpacedRow[after] != 0;
}

TBreakClass ClassOf(uint32_t c) {
  if (c < 0x80) {
    if (c == ' ') return SP;
    if (c < 0x20 || c == 0x7F) return CM;
    if (c >= '0' && c <= '9') return NU;
    switch (c) {
      case '!': case '?': return EX;
      case '"': case '\'': return QU;
      case '$': case '%': case '+': case '\\': return PR;
      case '(': case '[': case '{': return OP;
      case ')': case ']': return CP;
      case ',': case '.': case '/': case ':': case ';': return IS;
      case '-': return HY;
      case '|': return BA;
      case '}': return CL;
      default: return AL;
    }
  }
  switch (c) {
    case 0xAB: case 0xBB: case 0x2018: case 0x2019: case 0x201A: case 0x201C: case 0x201D:
    case 0x201E: return QU;
    case 0x2013: return BA;
    case 0x2014: return B2;
    case 0x2026: return IN;
    case 0xA0: case 0x2060: case 0x202F: return GL;
    case 0xA3: case 0xA5: case 0xB0: case 0x20AC: return PR;
    case 0xFF01: case 0xFF1F: return EX;
    case 0x3001: case 0x3002: case 0xFF09: case 0x300D: case 0x300F: case 0x3011: return CL;
    case 0xFF08: case 0x300C: case 0x300E: case 0x3010: return OP;
    default: break;
  }
  if (c >= 0x0300 && c <= 0x036F) return CM;
  if ((c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
      (c >= 0x20000 && c <= 0x3FFFF))
    return ID;
  return AL;
}

int ColumnsOf(uint32_t c) {
  if (c < 0x20 || c == 0x7F) return 0;
  if (c >= 0x0300 && c <= 0x036F) return 0;
  if ((c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD))
    return 2;
  return 1;
}

// The character at s[i]: its length in bytes and code point; a byte that
// starts no valid UTF-8 character counts as one character of its own.
size_t CharAt(std::string_view s, size_t i, uint32_t& code) {
  size_t n = Utf8CharLength(s, i, code);
  if (n == 0) {
    code = static_cast<unsigned char>(s[i]);
    n = 1;
  }
  return n;
}

enum : uint8_t { kUndefined, kProhibited, kPossible };

// Marks in `breaks` the positions before which msgcat starts a new line, for
// a text starting at column `startColumn` of lines `width` columns wide;
// `overrides` forbids breaks inside escape sequences.
void WidthLineBreaks(std::string_view s, int width, int startColumn,
                     const std::vector<uint8_t>& overrides, std::vector<uint8_t>& breaks) {
  breaks.assign(s.size(), kProhibited);
  // The possible breaks.
  std::vector<uint8_t> possible(s.size(), kProhibited);
  int before = -1;  // class of the last character that is no space
  bool spaces = false;
  for (size_t i = 0; i < s.size();) {
    uint32_t code;
    size_t n = CharAt(s, i, code);
    TBreakClass c = ClassOf(code);
    if (c == SP) {
      spaces = true;
    } else if (c == CM && !spaces && before >= 0) {
      // A combining or control character goes with the one before it.
    } else {
      if (c == CM) c = AL;
      if (before >= 0) {
        const auto b = static_cast<TBreakClass>(before);
        if (spaces ? SpacedBreak(b, c) : kDirect[b][c] != 0) possible[i] = kPossible;
      }
      before = c;
      spaces = false;
    }
    i += n;
  }
  // The breaks needed for the width, each at the last possible place.
  size_t lastBreak = std::string_view::npos;
  int lastColumn = startColumn;
  int pieceWidth = 0;
  for (size_t i = 0; i < s.size();) {
    uint32_t code;
    size_t n = CharAt(s, i, code);
    uint8_t p = overrides[i] != kUndefined ? overrides[i] : possible[i];
    if (p == kPossible) {
      if (lastBreak != std::string_view::npos && lastColumn + pieceWidth > width) {
        breaks[lastBreak] = kPossible;
        lastColumn = 0;
      }
      lastBreak = i;
      lastColumn += pieceWidth;
      pieceWidth = 0;
    }
    pieceWidth += ColumnsOf(code);
    i += n;
  }
  if (lastBreak != std::string_view::npos && lastColumn + pieceWidth > width)
    breaks[lastBreak] = kPossible;
}

char EscapeOf(char c) {
  switch (c) {
    case '\a': return 'a';
    case '\b': return 'b';
    case '\f': return 'f';
    case '\n': return 'n';
    case '\r': return 'r';
    case '\t': return 't';
    case '\v': return 'v';
    case '\\': return '\\';
    case '"': return '"';
    default: return 0;
  }
}

constexpr int kPageWidth = 79;

}  // namespace

void WritePoString(String& out, std::string_view prefix, std::string_view keyword,
                   std::string_view value) {
  String portion;
  std::vector<uint8_t> overrides, breaks;
  size_t s = 0;
  bool first = true;
  do {
    size_t es = s;
    while (es < value.size())
      if (value[es++] == '\n') break;
    portion.clear();
    overrides.clear();
    for (size_t i = s; i < es; ++i) {
      if (char e = EscapeOf(value[i])) {
        portion += '\\';
        portion += e;
        overrides.push_back(kUndefined);
        overrides.push_back(kProhibited);
      } else {
        portion += value[i];
        overrides.push_back(kUndefined);
      }
    }
    // No break just before the "\n" that ends a line.
    if (es > s && value[es - 1] == '\n') overrides[portion.size() - 2] = kProhibited;
    const int afterBreak = static_cast<int>(prefix.size()) + 1;
    const int width = kPageWidth - 1 - afterBreak;
    for (;;) {
      int startColumn = static_cast<int>(prefix.size());
      if (first) startColumn += static_cast<int>(keyword.size()) + 1;
      startColumn += 1 - afterBreak;
      WidthLineBreaks(portion, width, startColumn, overrides, breaks);
      if (first && !portion.empty() &&
          (es < value.size() || startColumn > width ||
           std::find(breaks.begin(), breaks.end(), kPossible) != breaks.end())) {
        out += prefix;
        out += keyword;
        out += " \"\"\n";
        first = false;
        continue;
      }
      break;
    }
    out += prefix;
    if (first) {
      out += keyword;
      out += ' ';
    }
    out += '"';
    for (size_t i = 0; i < portion.size(); ++i) {
      if (breaks[i] == kPossible) {
        out += "\"\n";
        out += prefix;
        out += '"';
      }
      out += portion[i];
    }
    out += "\"\n";
    s = es;
    first = false;
  } while (s < value.size());
}

namespace {

void WriteComments(String& out, std::string_view marker, const std::vector<String>& comments) {
  for (const String& c : comments) {
    out += marker;
    if (!c.empty()) {
      out += ' ';
      out += c;
    }
    out += '\n';
  }
}

}  // namespace

void WritePoEntry(String& out, const TPoEntry& e) {
  WriteComments(out, "#", e.Comments);
  WriteComments(out, "#.", e.Extracted);
  if (!e.References.empty()) {
    out += "#:";
    size_t column = 2;
    // gettext reads a reference up to the next space, so a file name with
    // spaces is wrapped as the several references it reads back.
    std::vector<std::string_view> words;
    for (const String& r : e.References) {
      std::string_view rest = r;
      while (!rest.empty()) {
        const size_t space = rest.find(' ');
        if (space != 0) words.push_back(rest.substr(0, space));
        if (space == std::string_view::npos) break;
        rest.remove_prefix(space + 1);
      }
    }
    for (std::string_view r : words) {
      if (column > 2 && column + r.size() + 1 > static_cast<size_t>(kPageWidth)) {
        out += "\n#:";
        column = 2;
      }
      out += ' ';
      out += r;
      column += r.size() + 1;
    }
    out += '\n';
  }
  if (!e.Flags.empty()) {
    // msgcat writes "fuzzy" first.
    out += "#,";
    bool comma = false;
    auto flag = [&](const String& f) {
      out += comma ? ", " : " ";
      out += f;
      comma = true;
    };
    if (e.Fuzzy()) flag("fuzzy");
    for (const String& f : e.Flags)
      if (f != "fuzzy") flag(f);
    out += '\n';
  }
  const std::string_view previous = e.Obsolete ? "#~| " : "#| ";
  if (e.PreviousContext) WritePoString(out, previous, "msgctxt", *e.PreviousContext);
  if (e.PreviousId) WritePoString(out, previous, "msgid", *e.PreviousId);
  if (e.PreviousIdPlural) WritePoString(out, previous, "msgid_plural", *e.PreviousIdPlural);
  const std::string_view prefix = e.Obsolete ? "#~ " : "";
  if (e.Context) WritePoString(out, prefix, "msgctxt", *e.Context);
  WritePoString(out, prefix, "msgid", e.Id);
  if (e.IdPlural) {
    WritePoString(out, prefix, "msgid_plural", *e.IdPlural);
    for (size_t i = 0; i < e.PluralStr.size(); ++i)
      WritePoString(out, prefix, "msgstr[" + IntToStr(static_cast<Int64>(i)) + "]",
                    e.PluralStr[i]);
  } else {
    WritePoString(out, prefix, "msgstr", e.Str);
  }
}

String WritePo(const TPoCatalog& catalog) {
  String out;
  bool any = false;
  for (int pass = 0; pass < 2; ++pass)
    for (const TPoEntry& e : catalog.Entries) {
      if (e.Obsolete != (pass == 1)) continue;
      if (any) out += '\n';
      WritePoEntry(out, e);
      any = true;
    }
  return out;
}

// --- Reading -------------------------------------------------------------------

namespace {

class TPoReader {
 public:
  TPoReader(std::string_view data, const String& fileName,
            const std::function<void(TPoEntry&&)>* sink = nullptr)
      : FData(data), FFile(fileName), FSink(sink) {
    if (FData.starts_with("\xEF\xBB\xBF")) FData.remove_prefix(3);
  }

  TPoCatalog Read() {
    while (NextLine()) {
      std::string_view line = FLine;
      if (line.starts_with("#~")) {
        line.remove_prefix(2);
        if (line.starts_with("|")) {
          line.remove_prefix(1);
          Previous(line, true);
          continue;
        }
        line = TrimLeft(line);
        if (line.empty()) continue;
        if (line[0] == '"') {
          Continuation(line, true);
          continue;
        }
        Keyword(line, true);
        continue;
      }
      if (line.starts_with("#")) {
        Comment(line);
        continue;
      }
      line = TrimLeft(line);
      if (line.empty()) {
        continue;
      }
      if (line[0] == '"') {
        Continuation(line, false);
        continue;
      }
      Keyword(line, false);
    }
    Finish();
    Check();
    return std::move(FCatalog);
  }

 private:
  enum class TField { None, Context, Id, IdPlural, Str, PluralStr, PrevContext, PrevId, PrevIdPlural };

  bool NextLine() {
    if (FPos >= FData.size()) return false;
    size_t end = FData.find('\n', FPos);
    if (end == std::string_view::npos) end = FData.size();
    FLine = FData.substr(FPos, end - FPos);
    if (FLine.ends_with('\r')) FLine.remove_suffix(1);
    FPos = end + 1;
    ++FLineNo;
    return true;
  }

  [[noreturn]] void Fail(const String& message) const { throw EPoError(FFile, FLineNo, message); }

  static std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s[0] == ' ' || s[0] == '\t')) s.remove_prefix(1);
    return s;
  }

  // A comment or a keyword that begins an entry ends the one before it once
  // that has its msgstr.
  TPoEntry& Current() {
    if (FHaveStr) Finish();
    FOpen = true;
    return FEntry;
  }

  void Finish() {
    if (!FOpen) return;
    if (!FHaveId) {
      if (FHaveContext) throw EPoError(FFile, FContextLine, "msgctxt without a msgid after it");
      // Comments alone at the end of the file.
    } else if (!FHaveStr) {
      throw EPoError(FFile, FEntry.Line, "msgid without a msgstr after it");
    } else if (FSink && !FEntry.IsHeader()) {
      (*FSink)(std::move(FEntry));
    } else {
      FCatalog.Entries.push_back(std::move(FEntry));
    }
    FEntry = TPoEntry();
    FOpen = FHaveContext = FHaveId = FHaveStr = false;
    FKeywordSeen = false;
    FField = TField::None;
  }

  void Comment(std::string_view line) {
    TPoEntry& e = Current();
    // CRs at the end of a comment are what is left of a line end ending in
    // several: kept, each writing and reading would take one more away.
    while (line.ends_with('\r')) line.remove_suffix(1);
    auto text = [](std::string_view s) {
      if (s.starts_with(' ')) s.remove_prefix(1);
      return String(s);
    };
    if (line.starts_with("#.")) {
      e.Extracted.push_back(text(line.substr(2)));
    } else if (line.starts_with("#:")) {
      std::string_view refs = line.substr(2);
      size_t i = 0;
      while (i < refs.size()) {
        while (i < refs.size() && (refs[i] == ' ' || refs[i] == '\t')) ++i;
        size_t j = i;
        while (j < refs.size() && refs[j] != ' ' && refs[j] != '\t') ++j;
        if (j > i) e.References.emplace_back(refs.substr(i, j - i));
        i = j;
      }
    } else if (line.starts_with("#,")) {
      std::string_view flags = line.substr(2);
      while (!flags.empty()) {
        size_t comma = flags.find(',');
        String flag = Trim(flags.substr(0, comma));
        if (!flag.empty()) e.SetFlag(flag, true);
        if (comma == std::string_view::npos) break;
        flags.remove_prefix(comma + 1);
      }
    } else if (line.starts_with("#|")) {
      Previous(line.substr(2), false);
    } else {
      e.Comments.push_back(text(line.substr(1)));
    }
  }

  void Previous(std::string_view line, bool obsolete) {
    TPoEntry& e = Current();
    if (obsolete) e.Obsolete = true;
    line = TrimLeft(line);
    if (line.starts_with('"')) {
      if (FField != TField::PrevContext && FField != TField::PrevId &&
          FField != TField::PrevIdPlural)
        Fail("a continued string that no previous msgid begins");
      Append(line);
      return;
    }
    size_t end = line.find_first_of(" \t\"");
    std::string_view keyword = line.substr(0, end);
    std::string_view rest = end == std::string_view::npos ? std::string_view() : line.substr(end);
    if (keyword == "msgctxt") {
      e.PreviousContext.emplace();
      FField = TField::PrevContext;
    } else if (keyword == "msgid") {
      e.PreviousId.emplace();
      FField = TField::PrevId;
    } else if (keyword == "msgid_plural") {
      e.PreviousIdPlural.emplace();
      FField = TField::PrevIdPlural;
    } else {
      Fail("unknown keyword '" + String(keyword) + "' in a previous-string comment");
    }
    Append(TrimLeft(rest));
  }

  void Keyword(std::string_view line, bool obsolete) {
    size_t end = line.find_first_of(" \t\"");
    std::string_view keyword = line.substr(0, end);
    std::string_view rest = end == std::string_view::npos ? std::string_view() : line.substr(end);
    rest = TrimLeft(rest);
    if (keyword == "msgctxt" || keyword == "msgid") {
      Current();
      if (FHaveId) Fail(keyword == "msgid" ? "a second msgid before the msgstr of the entry"
                                           : "msgctxt between msgid and msgstr");
      if (keyword == "msgctxt") {
        if (FHaveContext) Fail("a second msgctxt in one entry");
        FEntry.Context.emplace();
        FHaveContext = true;
        FContextLine = FLineNo;
        FField = TField::Context;
      } else {
        FEntry.Line = FLineNo;
        FHaveId = true;
        FField = TField::Id;
      }
      if (!FKeywordSeen && obsolete) FEntry.Obsolete = true;
      FKeywordSeen = true;
    } else if (keyword == "msgid_plural") {
      if (!FHaveId || FField != TField::Id) Fail("msgid_plural without a msgid before it");
      FEntry.IdPlural.emplace();
      FField = TField::IdPlural;
    } else if (keyword == "msgstr") {
      if (!FHaveId || FHaveStr) Fail("msgstr without a msgid before it");
      if (FEntry.IdPlural) Fail("a plural entry needs msgstr[0], msgstr[1], ...");
      FHaveStr = true;
      FField = TField::Str;
    } else if (keyword.starts_with("msgstr[")) {
      if (!FHaveId || !FEntry.IdPlural) Fail("msgstr[n] without a msgid_plural before it");
      if (!keyword.ends_with("]")) Fail("malformed '" + String(keyword) + "'");
      Integer n;
      if (!TryStrToInt(keyword.substr(7, keyword.size() - 8), n) || n < 0 ||
          static_cast<size_t>(n) != FEntry.PluralStr.size())
        Fail("'" + String(keyword) + "' out of order");
      FEntry.PluralStr.emplace_back();
      FHaveStr = true;
      FField = TField::PluralStr;
    } else {
      Fail("unknown keyword '" + String(keyword) + "'");
    }
    if (obsolete != FEntry.Obsolete) Fail("inconsistent use of #~");
    Append(rest);
  }

  void Continuation(std::string_view line, bool obsolete) {
    if (FField == TField::None || FField == TField::PrevContext || FField == TField::PrevId ||
        FField == TField::PrevIdPlural)
      Fail("a string that no keyword begins");
    if (obsolete != FEntry.Obsolete) Fail("inconsistent use of #~");
    Append(line);
  }

  String& Target() {
    switch (FField) {
      case TField::Context: return *FEntry.Context;
      case TField::Id: return FEntry.Id;
      case TField::IdPlural: return *FEntry.IdPlural;
      case TField::Str: return FEntry.Str;
      case TField::PluralStr: return FEntry.PluralStr.back();
      case TField::PrevContext: return *FEntry.PreviousContext;
      case TField::PrevId: return *FEntry.PreviousId;
      case TField::PrevIdPlural: return *FEntry.PreviousIdPlural;
      case TField::None: break;
    }
    Fail("a string that no keyword begins");
  }

  // Appends the quoted string that `s` begins with; only spaces may follow.
  void Append(std::string_view s) {
    if (s.empty() || s[0] != '"') Fail("a quoted string expected");
    String& out = Target();
    size_t i = 1;
    for (;;) {
      if (i >= s.size()) Fail("the string is not closed");
      char c = s[i++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (i >= s.size()) Fail("the string is not closed");
      char e = s[i++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'v': out += '\v'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case '\'': out += '\''; break;
        case '?': out += '?'; break;
        case 'x': {
          int value = 0, digits = 0;
          while (i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i]))) {
            char d = s[i++];
            value = value * 16 + (d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10);
            ++digits;
          }
          if (digits == 0) Fail("\\x without hexadecimal digits");
          out += static_cast<char>(value & 0xFF);
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            int value = e - '0';
            for (int k = 0; k < 2 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++k)
              value = value * 8 + (s[i++] - '0');
            out += static_cast<char>(value & 0xFF);
            break;
          }
          Fail(String("invalid escape sequence '\\") + e + "'");
      }
    }
    for (; i < s.size(); ++i)
      if (s[i] != ' ' && s[i] != '\t') Fail("text after the closing quote");
  }

  void Check() const {
    String charset;
    if (FCatalog.Header()) {
      String type = FCatalog.HeaderField("Content-Type");
      size_t at = LowerCase(type).find("charset=");
      if (at != String::npos) charset = Trim(type.substr(at + 8));
    }
    if (charset.empty()) return;
    const String lower = LowerCase(charset);
    if (lower == "utf-8" || lower == "utf8" || lower == "charset" || lower == "ascii" ||
        lower == "us-ascii")
      return;
    throw EPoError(FFile, FCatalog.Header()->Line,
                   "the catalog is in " + charset +
                       "; only UTF-8 is read (convert it with msgconv --to-code=UTF-8)");
  }

  std::string_view FData;
  String FFile;
  const std::function<void(TPoEntry&&)>* FSink;
  size_t FPos = 0;
  int FLineNo = 0;
  std::string_view FLine;
  TPoCatalog FCatalog;
  TPoEntry FEntry;
  TField FField = TField::None;
  bool FOpen = false, FHaveContext = false, FHaveId = false, FHaveStr = false;
  bool FKeywordSeen = false;
  int FContextLine = 0;
};

}  // namespace

TPoCatalog ReadPo(std::string_view data, const String& fileName) {
  return TPoReader(data, fileName).Read();
}

TPoCatalog ReadPo(std::string_view data, const String& fileName,
                  const std::function<void(TPoEntry&&)>& sink) {
  return TPoReader(data, fileName, &sink).Read();
}

}  // namespace Glossmith::inline Exchange
