// The merges behind the translation file and the dictionary, on whole lists
// of lines. Each gives exactly the list that the straightforward line-by-line
// editing (one sorted insertion or deletion at a time) gives, in time linear
// in the file plus a little per changed line.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "gls/LineOverlay.h"
#include "gls/SortList.h"
#include "host/classes/TextLines.h"

namespace Glossmith::inline Gls {

namespace glsstorage {

// Looks a path up in a sorted list of entries path "=" value the way the
// translator does: the insertion position of the bare path and its two
// neighbours are examined for a line that begins with path "=".
bool FindEntry(const TStringList& list, std::string_view path, int& index);

// --- Translation file ---------------------------------------------------------

// Removes a form's lines for `locale` and for the original texts (-1) from
// the lines of a translation file. Raises EConvertError for a line of the
// form whose locale is not a number.
void DropFormLines(std::vector<std::string_view>& fileLines, std::string_view formName,
                   Integer locale);

// The line of a translation file for the entry path "=" value: form name
// "." path "%" locale "=" value, the value cut to MaxValueLength. False for
// an entry without "=", which is no translation entry (it can never be
// applied).
bool FormLine(std::string_view formName, std::string_view entry, std::string_view localeText,
              String& line);

// The lines of a translation file with one line per translation entry (for
// `locale`) and per original text (-1) of the form inserted in sorted order.
TLineOverlay InsertFormLines(std::vector<std::string_view> fileLines, std::string_view formName,
                             Integer locale, const TStringList& translations,
                             const std::vector<String>& originals);

// Merges the form's lines for `locale` from the text of a translation file
// into the translation list: each replaces the entry of its path. A line of
// the form whose locale is not a number raises EConvertError; given the
// file's name, an EFileLineError that names the file and the line.
void MergeLoadedLines(std::string_view fileText, std::string_view formName, Integer locale,
                      TSortList& translations, std::string_view fileName = {});

// --- Dictionary -----------------------------------------------------------------

// A dictionary line of an export: the escaped original text, a tab and the
// escaped translation; the key (original and tab) is its first KeyLength
// characters.
struct TExportedLine {
  String Line;
  size_t KeyLength;
};

// The lines an export writes, one per translation entry whose path the form
// has, in the order of the entries. `current` holds the form's entries path
// "=" value in sorted order. Raises EConvertError for an entry whose value is
// malformed literal text.
std::vector<TExportedLine> ExportedLines(const std::vector<String>& current,
                                         const TStringList& translations);

// The lines of a dictionary after an export: the file's lines in sorted order,
// with the line of each exported original text replaced or inserted; an
// empty translation inserts its line but never replaces one.
// `current` holds the form's entries path "=" value in sorted order. Raises
// EConvertError for an entry whose value is malformed literal text.
TLineOverlay MergeExportedLines(std::vector<std::string_view> fileLines,
                                const std::vector<String>& current,
                                const TStringList& translations);
// The same with the lines of the export already made.
TLineOverlay MergeExportedLines(std::vector<std::string_view> fileLines,
                                std::vector<TExportedLine> exported);

// Fills the translation entries whose original text (from `current`) has a
// line in the dictionary text `readLine` delivers, line by line.
class TDictionaryImport {
 public:
  TDictionaryImport(const std::vector<String>& current, TStringList& translations);
  // Processes one dictionary line.
  void Line(std::string_view line);
  bool Empty() const { return FIndex.empty(); }

 private:
  TStringList& FTranslations;
  std::vector<std::pair<String, int>> FIndex;  // original text, entry position; sorted
};

}  // namespace glsstorage

}  // namespace Glossmith::inline Gls
