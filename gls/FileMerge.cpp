#include "gls/FileMerge.h"

#include <algorithm>
#include <unordered_set>

#include "gls/Diagnostics.h"
#include "gls/Gls.h"
#include "gls/StorageSupport.h"

namespace Glossmith::inline Gls {

namespace glsstorage {

namespace {

// The form name of a file line: the text before its first "."; a line
// without one belongs to no form.
std::string_view LineFormName(std::string_view line) { return Before(line, '.'); }

bool IsFormLine(std::string_view line, std::string_view formName) {
  return line.size() > formName.size() && line[formName.size()] == '.' &&
         line.starts_with(formName) && LineFormName(line) == formName;
}

// The locale of a line's key part (before the first "="): the text after its
// first "%", or the whole key part when it has none.
Integer LineLocale(std::string_view keyPart) {
  size_t pct = keyPart.find('%');
  return StrToInt(pct == std::string_view::npos ? keyPart
                                                : keyPart.substr(pct + 1, MaxLocaleLength));
}

// The number (from 1) of the line that starts at `pos`, lines ending as
// ForEachLine ends them: at CR, LF or the pair.
int LineNumberAt(std::string_view text, size_t pos) {
  int line = 1;
  for (size_t i = 0; i < pos && i < text.size(); ++i)
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
      ++line;
  return line;
}

// LineLocale; with a file name, its conversion error names that file and the
// line (counted only when there is an error).
template <class LineNumber>
Integer LocatedLineLocale(std::string_view keyPart, std::string_view fileName,
                          LineNumber lineNumber) {
  if (fileName.empty()) return LineLocale(keyPart);
  try {
    return LineLocale(keyPart);
  } catch (const EConvertError&) {
    const size_t pct = keyPart.find('%');
    throw EFileLineError(
        String(fileName), lineNumber(),
        pct == std::string_view::npos
            ? Format("the line has no locale (no \"%%\" before its \"=\" in the first %d "
                     "characters after the form name)",
                     {MaxValueLength})
            : Format("the locale \"%s\" of the line is not a number",
                     {String(keyPart.substr(pct + 1, MaxLocaleLength))}));
  }
}

// The value part of an entry, decoded from literal form.
String DecodedValue(std::string_view entry) {
  String value(After(entry, '=', MaxValueLength));
  TGlossmith::ConvertFromLiterals(value);
  return value;
}

}  // namespace

bool FindEntry(const TStringList& list, std::string_view path, int& index) {
  const int count = list.Count();
  if (count == 0) {
    index = 0;
    return false;
  }
  auto lineAt = [&list](int i) -> std::string_view { return list.At(i); };
  index = SortPosition(count, lineAt, path);
  if (index > 0 && index == count) --index;
  auto isEntry = [&](int i) {
    std::string_view line = list.At(i);
    return line.size() > path.size() && line[path.size()] == '=' && line.starts_with(path);
  };
  if (isEntry(index)) return true;
  if (index > 0 && isEntry(index - 1)) {
    --index;
    return true;
  }
  if (index < count - 1 && isEntry(index + 1)) {
    ++index;
    return true;
  }
  return false;
}

void DropFormLines(std::vector<std::string_view>& lines, std::string_view formName,
                   Integer locale) {
  // The lines are examined from the last to the first, so that a malformed
  // line reports as it would when deleting one line at a time, and go in one pass.
  std::vector<bool> drop(lines.size(), false);
  bool any = false;
  for (size_t i = lines.size(); i-- > 0;) {
    if (!IsFormLine(lines[i], formName)) continue;
    Integer lineLocale = LineLocale(Before(lines[i], '='));
    if (lineLocale == locale || lineLocale == -1) drop[i] = any = true;
  }
  if (any) {
    size_t out = 0;
    for (size_t i = 0; i < lines.size(); ++i)
      if (!drop[i]) lines[out++] = lines[i];
    lines.resize(out);
  }
}

bool FormLine(std::string_view formName, std::string_view entry, std::string_view localeText,
              String& line) {
  size_t eq = entry.find('=');
  if (eq == std::string_view::npos) return false;
  std::string_view path = entry.substr(0, eq);
  std::string_view value = entry.substr(eq + 1, MaxValueLength);
  if (entry.size() - eq - 1 > MaxValueLength)
    ReportValueCut(String(formName) + "." + String(path), entry.size() - eq - 1);
  // A character 0 inside a literal (from a file line that held one) is
  // written as the form writer writes it, #0, so that no line of the file
  // holds a raw NUL; the text it stands for is the same.
  String canonical;
  if (value.find('\0') != std::string_view::npos && (value[0] == '\'' || value[0] == '#')) {
    canonical = String(value);
    try {
      TGlossmith::ConvertFromLiterals(canonical);
      TGlossmith::ConvertToLiterals(canonical);
      if (canonical.size() <= MaxValueLength) value = canonical;
    } catch (const EConvertError&) {
      // not literal text: written as it stands
    }
  }
  line.clear();
  line.reserve(formName.size() + path.size() + localeText.size() + value.size() + 3);
  line.append(formName).append(1, '.').append(path).append(1, '%');
  line.append(localeText).append(1, '=').append(value);
  return true;
}

TLineOverlay InsertFormLines(std::vector<std::string_view> lines, std::string_view formName,
                             Integer locale, const TStringList& translations,
                             const std::vector<String>& originals) {
  TLineOverlay work(std::move(lines));
  auto insert = [&](std::string_view entry, std::string_view localeText) {
    String line;
    if (FormLine(formName, entry, localeText, line)) work.SortInsert(std::move(line));
  };
  const String localeText = IntToStr(locale);
  for (const auto& item : translations.Items()) insert(item.Str, localeText);
  for (const String& entry : originals) insert(entry, "-1");
  return work;
}

void MergeLoadedLines(std::string_view text, std::string_view formName, Integer locale,
                      TSortList& translations, std::string_view fileName) {
  const size_t deleteCount = IntToStr(locale).size() + 1;
  const String prefix = String(formName) + '.';
  std::unordered_set<String> seen;  // the paths loaded so far
  ForEachLineStartingWith(text, prefix, [&](std::string_view line) {
    // Only this form's lines are examined; the others may hold anything.
    if (!IsFormLine(line, formName)) return;
    String rest(line.substr(formName.size() + 1, MaxValueLength));
    const Integer lineLocale = LocatedLineLocale(Before(rest, '='), fileName, [&] {
      return LineNumberAt(text, static_cast<size_t>(line.data() - text.data()));
    });
    if (lineLocale != locale) return;
    size_t pct = rest.find('%');
    if (pct != String::npos) rest.erase(pct, deleteCount);
    std::string_view path = Before(rest, '=');
    if (!seen.emplace(path).second) {
      TDiagnostic d;
      d.Kind = TDiagnosticKind::DuplicateKey;
      d.FileName = String(fileName);
      d.Line = LineNumberAt(text, static_cast<size_t>(line.data() - text.data()));
      d.Path = prefix + String(path);
      d.Message = Format("given again for locale %d; this later line wins", {locale});
      ReportDiagnostic(d);
    }
    int index;
    if (FindEntry(translations, path, index)) translations.Delete(index);
    translations.SortInsert(rest, nullptr);
  });
}

std::vector<TExportedLine> ExportedLines(const std::vector<String>& current,
                                         const TStringList& translations) {
  auto currentAt = [&current](int i) -> std::string_view {
    return current[static_cast<size_t>(i)];
  };
  const int currentCount = static_cast<int>(current.size());
  std::vector<TExportedLine> exported;
  for (const auto& item : translations.Items()) {
    const String& entry = item.Str;
    size_t eq = entry.find('=');
    if (eq == String::npos) continue;            // no translation entry
    std::string_view key(entry.data(), eq + 1);  // path "="
    int pos = SortPosition(currentCount, currentAt, key);
    if (pos >= currentCount || !current[static_cast<size_t>(pos)].starts_with(key)) continue;
    const String& original = current[static_cast<size_t>(pos)];
    if (entry.size() - eq - 1 > MaxValueLength)
      ReportValueCut(key.substr(0, eq), entry.size() - eq - 1, "the translation");
    if (original.size() - eq - 1 > MaxValueLength)
      ReportValueCut(key.substr(0, eq), original.size() - eq - 1, "the original text");
    String translation;
    try {
      translation = DecodedValue(entry);
    } catch (const EConvertError& e) {
      throw ETranslationEntryError(e.Message(), entry, String());
    }
    String line = TGlossmith::WriteString(DecodedValue(current[static_cast<size_t>(pos)])) + '\t';
    const size_t keyLength = line.size();
    line += TGlossmith::WriteString(translation);
    exported.push_back({std::move(line), keyLength});
  }
  return exported;
}

TLineOverlay MergeExportedLines(std::vector<std::string_view> lines,
                                const std::vector<String>& current,
                                const TStringList& translations) {
  return MergeExportedLines(std::move(lines), ExportedLines(current, translations));
}

TLineOverlay MergeExportedLines(std::vector<std::string_view> lines,
                                std::vector<TExportedLine> exported) {
  // The dictionary's lines in sorted order: equal lines are indistinguishable,
  // so this is the list that inserting each line in sorted order builds.
  std::sort(lines.begin(), lines.end());
  TLineOverlay dictionary(std::move(lines));
  auto lineAt = [&dictionary](int i) { return dictionary.At(i); };
  for (TExportedLine& e : exported) {
    std::string_view key(e.Line.data(), e.KeyLength);
    int at = SortPosition(dictionary.Count(), lineAt, key);
    if (at < dictionary.Count() && dictionary.At(at).starts_with(key)) {
      // An entry not yet translated has nothing to give: the translation the
      // dictionary holds for its text stays.
      if (e.Line.size() > e.KeyLength) dictionary.Replace(at, std::move(e.Line));
    } else {
      dictionary.Insert(at, std::move(e.Line));
    }
  }
  return dictionary;
}

TDictionaryImport::TDictionaryImport(const std::vector<String>& current, TStringList& translations)
    : FTranslations(translations) {
  auto currentAt = [&current](int i) -> std::string_view {
    return current[static_cast<size_t>(i)];
  };
  const int currentCount = static_cast<int>(current.size());
  for (int i = 0; i < translations.Count(); ++i) {
    const String& entry = translations.At(i);
    size_t eq = entry.find('=');
    if (eq == String::npos) continue;  // no translation entry
    std::string_view path(entry.data(), eq);
    // A prefix test on the bare path, as the lookup of the form's values has it.
    int pos = SortPosition(currentCount, currentAt, path);
    if (pos >= currentCount || !current[static_cast<size_t>(pos)].starts_with(path)) continue;
    FIndex.emplace_back(DecodedValue(current[static_cast<size_t>(pos)]), i);
  }
  std::stable_sort(FIndex.begin(), FIndex.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

void TDictionaryImport::Line(std::string_view line) {
  size_t tab = line.find('\t');
  if (tab == std::string_view::npos || FIndex.empty()) return;
  String source = TGlossmith::ReadString(String(line.substr(0, tab)));
  auto range =
      std::equal_range(FIndex.begin(), FIndex.end(), source, [](const auto& a, const auto& b) {
        if constexpr (std::is_same_v<std::decay_t<decltype(a)>, String>)
          return a < b.first;
        else
          return a.first < b;
      });
  if (range.first == range.second) return;
  String translation = TGlossmith::ReadString(String(line.substr(tab + 1, MaxValueLength)));
  // Every entry that shares the original text receives the translation.
  for (auto it = range.first; it != range.second; ++it) {
    const String& entry = FTranslations.At(it->second);
    size_t eq = entry.find('=');
    String value = translation;
    if (eq + 1 < entry.size() && (entry[eq + 1] == '\'' || entry[eq + 1] == '#'))
      TGlossmith::ConvertToLiterals(value);
    FTranslations.SetStrings(it->second, entry.substr(0, eq + 1) + value);
  }
}

}  // namespace glsstorage

}  // namespace Glossmith::inline Gls
