// Gettext PO catalogs: the model of an entry with its comments, a reader
// that accepts what the gettext tools, Poedit and Weblate write, and a
// writer that formats exactly as msgcat does.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Exchange {

// A malformed catalog: the message names the file and the line.
class EPoError : public Exception {
 public:
  EPoError(const String& fileName, int line, const String& message)
      : Exception(fileName + ":" + IntToStr(line) + ": " + message), FLine(line) {}
  int Line() const { return FLine; }

 private:
  int FLine;
};

struct TPoEntry {
  // Comment texts, without their marker and the one space after it.
  std::vector<String> Comments;    // "# " translator comments
  std::vector<String> Extracted;   // "#." extracted comments
  std::vector<String> References;  // "#:" one per file position
  std::vector<String> Flags;       // "#," fuzzy, c-format, ...
  std::optional<String> PreviousContext;  // "#| msgctxt"
  std::optional<String> PreviousId;       // "#| msgid"
  std::optional<String> PreviousIdPlural;
  std::optional<String> Context;
  String Id;
  std::optional<String> IdPlural;
  String Str;                     // msgstr of a singular entry
  std::vector<String> PluralStr;  // msgstr[n] of a plural entry
  bool Obsolete = false;
  int Line = 0;  // the line of the entry's msgid, from 1

  bool IsHeader() const { return !Context && Id.empty() && !Obsolete; }
  bool IsPlural() const { return IdPlural.has_value(); }
  bool HasFlag(std::string_view flag) const;
  bool Fuzzy() const { return HasFlag("fuzzy"); }
  void SetFlag(std::string_view flag, bool on);
};

struct TPoCatalog {
  // The header (when there is one) first, then the entries in file order.
  std::vector<TPoEntry> Entries;

  const TPoEntry* Header() const;
  // A field of the header ("Language"), trimmed; empty when absent.
  String HeaderField(std::string_view name) const;
};

// Reads a catalog. Lines may end with LF or CR LF; a UTF-8 byte-order mark
// is skipped. Raises EPoError for what no gettext tool would read, and for a
// charset other than UTF-8 (or its ASCII subset).
TPoCatalog ReadPo(std::string_view data, const String& fileName);
// The same, giving each entry but the header to `sink` as it is read, so
// that the entries need not stand in memory twice; the catalog returned
// holds the header alone.
TPoCatalog ReadPo(std::string_view data, const String& fileName,
                  const std::function<void(TPoEntry&&)>& sink);

// The catalog as msgcat writes it: strings wrapped at 79 columns where a line
// break may fall, a string holding a line feed before its end begun with ""
// and split after each "\n", obsolete entries last.
String WritePo(const TPoCatalog& catalog);

// One entry as WritePo writes it (without the blank line between entries).
void WritePoEntry(String& out, const TPoEntry& entry);

// One string statement ("msgid", "msgstr", ...) as msgcat writes it, each
// line begun with `prefix` ("#~ " for obsolete entries, "#| " for previous
// strings).
void WritePoString(String& out, std::string_view prefix, std::string_view keyword,
                   std::string_view value);

}  // namespace Glossmith::inline Exchange
