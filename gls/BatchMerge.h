// A translation file or a dictionary edited by several translators in turn,
// in memory: each edit gives the lines that SaveTo or TranslateTo gives when
// it reads the file that the edit before it wrote, and the file is read and
// written once for all of them. The lines are kept as the last edit left
// them (which is what writing gives) and read as reading the file would
// (split at line breaks, a dictionary sorted) when the next edit starts.
//
// A translation file whose lines are in order stays in order under every
// edit, and one form's lines (those beginning with its name and ".") stand
// together; each form edited so far is kept as its own run of lines beside
// the file's lines, so that an edit costs the form's lines, not the file's.
// Anything else (lines out of order, a form name holding ".", a value holding
// a line break) is edited as the single operation edits it, on the whole
// list.
//
// A dictionary export starts from sorted lines. The lines sharing one
// original text (the key, up to the tab) stand together, and an export
// replaces the first line of a key or inserts one, so each key edited so far
// is kept as its own run. A dictionary holding a line that is a bare key
// twice (where the search may stop at either) is edited as the single
// operation edits it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "gls/SortList.h"
#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Gls {

namespace glsstorage {

// Calls f(line) for every line of `base` in order, the range of base lines
// that each run's key covers (range(key), as indexes) replaced by the run.
template <class Runs, class Range, class F>
void ForEachReplaced(const std::vector<std::string_view>& base, const Runs& runs, Range range,
                     F&& f) {
  size_t next = 0;
  for (const auto& [key, run] : runs) {
    auto [first, last] = range(key);
    for (; next < first; ++next) f(base[next]);
    for (std::string_view line : run) f(line);
    next = last;
  }
  for (; next < base.size(); ++next) f(base[next]);
}

class TTranslationFileMerge {
 public:
  // `text` is the file's content (empty for a file that does not exist).
  explicit TTranslationFileMerge(String text);

  // One translator's edit: drops the form's lines for `locale` and -1, calls
  // `originals` for the original texts to write (entries path=value), inserts
  // a line for each translation entry and each original text. An error
  // (EConvertError for a malformed line of the form, or what `originals`
  // raises) leaves the lines as they were.
  void Edit(std::string_view formName, Integer locale, const TStringList& translations,
            const std::function<std::vector<String>()>& originals);

  // Calls f(line) for every line in order.
  template <class F>
  void ForEach(F&& f) const {
    ForEachReplaced(
        FBase, FRuns, [this](const String& key) { return BaseRange(key); }, f);
  }

 private:
  // The lines of `text`, as reading a file splits them.
  void SetText(String text);
  // The base lines that begin with `prefix` (form name and "."), as indexes.
  std::pair<size_t, size_t> BaseRange(const String& prefix) const;
  // The lines joined and split again, runs merged in.
  void Flatten();
  void EditLines(std::string_view formName, Integer locale, const TStringList& translations,
                 const std::function<std::vector<String>()>& originals);
  // The single operation's edit on the whole list, the form's lines dropped.
  void EditWhole(std::vector<std::string_view> lines, std::string_view formName, Integer locale,
                 const TStringList& translations, const std::vector<String>& originals);

  String FText;
  std::vector<std::string_view> FBase;  // lines of FText
  bool FInOrder = false;                // FBase and every run sorted
  // FBase holds lines with line breaks, as the last edit wrote them; the
  // next edit reads them split.
  bool FUnsplit = false;
  std::map<String, std::vector<std::string_view>> FRuns;  // form name "." -> its lines
  std::deque<String> FAdded;                              // lines the runs refer to
};

class TDictionaryMerge {
 public:
  explicit TDictionaryMerge(String text);

  // One translator's export: `current` holds the form's entries path=value
  // in sorted order. Raises EConvertError for an entry whose value is
  // malformed literal text, and leaves the lines as they were.
  void Export(const std::vector<String>& current, const TStringList& translations);

  template <class F>
  void ForEach(F&& f) const {
    ForEachReplaced(
        FBase, FRuns, [this](const String& key) { return BaseRange(key); }, f);
  }

 private:
  // The lines of `text`, as reading a file splits them, in their order.
  void SetText(String text);
  // The lines in sorted order, as an export reads them.
  void Sort();
  std::pair<size_t, size_t> BaseRange(const String& key) const;

  String FText;
  std::vector<std::string_view> FBase;  // lines of FText
  bool FBaseSorted = false;
  bool FByKey = false;  // FBase sorted, no bare key twice: edits go to runs
  std::map<String, std::vector<std::string_view>> FRuns;  // key -> its lines
  std::deque<String> FAdded;
  // Runs the last export changed: written as it left them, sorted when the
  // next export reads them.
  std::vector<std::vector<std::string_view>*> FUnsorted;
};

}  // namespace glsstorage

}  // namespace Glossmith::inline Gls
