#include "gls/BatchMerge.h"

#include <algorithm>

#include "gls/FileMerge.h"
#include "gls/StorageSupport.h"
#include "host/classes/TextLines.h"

namespace Glossmith::inline Gls {

namespace glsstorage {

namespace {

// The lines as the file holds them once written: each ended by CR LF.
template <class Lines>
String Joined(const Lines& lines, size_t sizeHint) {
  String text;
  text.reserve(sizeHint);
  lines.ForEach([&text](std::string_view line) {
    text.append(line);
    text.append("\r\n");
  });
  return text;
}

// The lines of `lines` that begin with `prefix`, as indexes, in sorted lines.
std::pair<size_t, size_t> PrefixRange(const std::vector<std::string_view>& lines,
                                      const String& prefix) {
  String beyond = prefix;  // the least text above every line that begins with prefix
  beyond.back() = static_cast<char>(beyond.back() + 1);
  auto first = std::lower_bound(lines.begin(), lines.end(), std::string_view(prefix));
  auto last = std::lower_bound(first, lines.end(), std::string_view(beyond));
  return {static_cast<size_t>(first - lines.begin()), static_cast<size_t>(last - lines.begin())};
}

bool HasLineBreak(std::string_view line) {
  return FindFirstOf(line, "\r\n") != std::string_view::npos;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  lines.reserve(CountLines(text));
  ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace

// --- Translation file ---------------------------------------------------------

TTranslationFileMerge::TTranslationFileMerge(String text) { SetText(std::move(text)); }

void TTranslationFileMerge::SetText(String text) {
  FRuns.clear();
  FAdded.clear();
  FText = std::move(text);
  FBase = SplitLines(FText);
  FInOrder = std::is_sorted(FBase.begin(), FBase.end());
  FUnsplit = false;
}

std::pair<size_t, size_t> TTranslationFileMerge::BaseRange(const String& prefix) const {
  return PrefixRange(FBase, prefix);
}

void TTranslationFileMerge::Flatten() {
  if (!FRuns.empty()) SetText(Joined(*this, FText.size() + FText.size() / 8));
}

void TTranslationFileMerge::EditWhole(std::vector<std::string_view> lines,
                                      std::string_view formName, Integer locale,
                                      const TStringList& translations,
                                      const std::vector<String>& originals) {
  TLineOverlay edited =
      InsertFormLines(std::move(lines), formName, locale, translations, originals);
  // The lines stay as written, a line break inside one included, until the
  // next edit reads them.
  String text;
  text.reserve(FText.size() + FText.size() / 8);
  std::vector<std::pair<size_t, size_t>> spans;
  spans.reserve(static_cast<size_t>(edited.Count()));
  bool lineBreaks = false;
  edited.ForEach([&](std::string_view line) {
    spans.emplace_back(text.size(), line.size());
    lineBreaks = lineBreaks || HasLineBreak(line);
    text.append(line);
    text.append("\r\n");
  });
  FRuns.clear();
  FAdded.clear();
  FText = std::move(text);
  FBase.clear();
  for (auto [at, size] : spans) FBase.emplace_back(FText.data() + at, size);
  FUnsplit = lineBreaks;
  FInOrder = !lineBreaks && std::is_sorted(FBase.begin(), FBase.end());
}

void TTranslationFileMerge::Edit(std::string_view formName, Integer locale,
                                 const TStringList& translations,
                                 const std::function<std::vector<String>()>& originals) {
  if (!FUnsplit) {
    EditLines(formName, locale, translations, originals);
    return;
  }
  // The lines read back, split at their line breaks; should the edit fail,
  // they stay as written.
  std::vector<std::string_view> written = std::move(FBase);
  FBase = SplitLines(FText);
  FInOrder = std::is_sorted(FBase.begin(), FBase.end());
  FUnsplit = false;
  try {
    EditLines(formName, locale, translations, originals);
  } catch (...) {
    FBase = std::move(written);
    FUnsplit = true;
    throw;
  }
}

void TTranslationFileMerge::EditLines(std::string_view formName, Integer locale,
                                      const TStringList& translations,
                                      const std::function<std::vector<String>()>& originals) {
  // A form name holding "." has no lines of its own (a line's form name ends
  // at its first "."), while its new lines begin with the name: they do not
  // stand together with a form's lines.
  if (!FInOrder || formName.find('.') != std::string_view::npos) {
    Flatten();
    std::vector<std::string_view> lines = FBase;
    DropFormLines(lines, formName, locale);
    EditWhole(std::move(lines), formName, locale, translations, originals());
    return;
  }

  const String prefix = String(formName) + '.';
  std::vector<std::string_view> run;
  if (auto found = FRuns.find(prefix); found != FRuns.end()) {
    run = found->second;
  } else {
    auto [first, last] = BaseRange(prefix);
    run.assign(FBase.begin() + static_cast<std::ptrdiff_t>(first),
               FBase.begin() + static_cast<std::ptrdiff_t>(last));
  }
  DropFormLines(run, formName, locale);
  const std::vector<String> gathered = originals();

  std::vector<String> added;
  bool lineBreak = false;
  auto add = [&](std::string_view entry, std::string_view localeText) {
    String line;
    if (!FormLine(formName, entry, localeText, line)) return;
    lineBreak = lineBreak || HasLineBreak(line);
    added.push_back(std::move(line));
  };
  const String localeText = IntToStr(locale);
  for (const auto& item : translations.Items()) add(item.Str, localeText);
  for (const String& entry : gathered) add(entry, "-1");

  if (lineBreak) {
    // Reading the written file splits such a line in two.
    Flatten();
    std::vector<std::string_view> lines = FBase;
    DropFormLines(lines, formName, locale);
    EditWhole(std::move(lines), formName, locale, translations, gathered);
    return;
  }

  // Sorted insertion into sorted lines gives sorted lines: the run merged with
  // the new lines in order.
  std::sort(added.begin(), added.end());
  std::vector<std::string_view> merged;
  merged.reserve(run.size() + added.size());
  size_t r = 0;
  for (String& line : added) {
    while (r < run.size() && run[r] < line) merged.push_back(run[r++]);
    FAdded.push_back(std::move(line));
    merged.push_back(FAdded.back());
  }
  merged.insert(merged.end(), run.begin() + static_cast<std::ptrdiff_t>(r), run.end());
  FRuns[prefix] = std::move(merged);
}

// --- Dictionary -----------------------------------------------------------------

namespace {

// A line that is an original text and its tab alone: a search for that key
// stops at it rather than at the first line of the key.
bool IsBareKey(std::string_view line) {
  return !line.empty() && line.find('\t') == line.size() - 1;
}

}  // namespace

TDictionaryMerge::TDictionaryMerge(String text) { SetText(std::move(text)); }

void TDictionaryMerge::SetText(String text) {
  FRuns.clear();
  FUnsorted.clear();
  FAdded.clear();
  FText = std::move(text);
  FBase = SplitLines(FText);
  FBaseSorted = false;
}

void TDictionaryMerge::Sort() {
  // Each export starts from the dictionary's lines in sorted order.
  for (std::vector<std::string_view>* run : FUnsorted) std::sort(run->begin(), run->end());
  FUnsorted.clear();
  if (FBaseSorted) return;
  std::sort(FBase.begin(), FBase.end());
  FBaseSorted = true;
  FByKey = true;
  for (size_t i = 1; i < FBase.size() && FByKey; ++i)
    FByKey = !(FBase[i] == FBase[i - 1] && IsBareKey(FBase[i]));
}

std::pair<size_t, size_t> TDictionaryMerge::BaseRange(const String& key) const {
  return PrefixRange(FBase, key);
}

void TDictionaryMerge::Export(const std::vector<String>& current, const TStringList& translations) {
  std::vector<TExportedLine> exported = ExportedLines(current, translations);
  Sort();
  if (!FByKey) {
    TLineOverlay edited = MergeExportedLines(FBase, std::move(exported));
    SetText(Joined(edited, FText.size() + FText.size() / 8));
    return;
  }
  // The search for a key finds the first line of its run (the run is sorted
  // when the export starts, and a replaced line keeps the key), so each line
  // replaces that first line, or starts the run.
  for (TExportedLine& e : exported) {
    auto [it, fresh] = FRuns.try_emplace(e.Line.substr(0, e.KeyLength));
    std::vector<std::string_view>& run = it->second;
    if (fresh) {
      auto [first, last] = BaseRange(it->first);
      run.assign(FBase.begin() + static_cast<std::ptrdiff_t>(first),
                 FBase.begin() + static_cast<std::ptrdiff_t>(last));
    }
    // An untranslated entry never replaces a translation (MergeExportedLines).
    if (!run.empty() && e.Line.size() == e.KeyLength) continue;
    FAdded.push_back(std::move(e.Line));
    if (run.empty())
      run.push_back(FAdded.back());
    else
      run.front() = FAdded.back();
    FUnsorted.push_back(&run);
  }
}

}  // namespace glsstorage

}  // namespace Glossmith::inline Gls
