#include "check/TranslationSource.h"

#include <algorithm>

#include "gls/Gls.h"
#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"
#include "host/classes/TextLines.h"

namespace Glossmith::inline Check {

TTranslationFileIndex TTranslationFileIndex::Read(const String& fileName) {
  String text;
  {
    TFileLock lock(fileName);
    text = ReadFileToString(fileName);
  }
  return TTranslationFileIndex(fileName, std::move(text));
}

TTranslationFileIndex::TTranslationFileIndex(const String& fileName, String text)
    : FFileName(fileName), FText(std::make_shared<const String>(std::move(text))) {}

void TTranslationFileIndex::TakeApart(std::string_view formName) const {
  auto [at, added] = FTakenApart.emplace(String(formName), true);
  // A form name ends at the line's first dot: one with a dot names no form.
  if (!added || formName.find('.') != std::string_view::npos) return;
  // The key views the map's own copy of the name, which does not move.
  const std::string_view form = at->first;
  const std::string_view all = *FText;
  int number = 0;
  ForEachLine(all, [&](std::string_view line) {
    ++number;
    if (line.size() <= form.size() || line[form.size()] != '.' || !line.starts_with(form)) return;
    const std::string_view whole = line.substr(form.size() + 1);
    const std::string_view rest = whole.substr(0, MaxValueLength);
    const size_t eq = rest.find('=');
    const std::string_view key = rest.substr(0, eq);
    const size_t percent = key.find('%');
    Integer locale = 0;
    if (percent == std::string_view::npos || eq == std::string_view::npos ||
        !TryStrToInt(key.substr(percent + 1, MaxLocaleLength), locale)) {
      FBadLines.emplace_back(String(line), String(), FFileName, number);
      return;
    }
    const size_t base = static_cast<size_t>(rest.data() - all.data());
    FLines[{form, locale}].push_back(
        {number, base, percent, base + eq + 1, rest.size() - eq - 1, whole.size() > rest.size()});
  });
}

std::vector<TCheckEntry> TTranslationFileIndex::Entries(std::string_view formName,
                                                         Integer locale) const {
  TakeApart(formName);
  std::vector<TCheckEntry> entries;
  auto found = FLines.find({formName, locale});
  if (found == FLines.end()) return entries;
  // One entry per path, the last line winning; in path order.
  std::unordered_map<std::string_view, size_t> last;
  last.reserve(found->second.size());
  for (size_t i = 0; i < found->second.size(); ++i) {
    const TLine& l = found->second[i];
    last[std::string_view(*FText).substr(l.Path, l.PathLength)] = i;
  }
  std::vector<const TLine*> kept;
  kept.reserve(last.size());
  for (const auto& [path, i] : last) kept.push_back(&found->second[i]);
  const std::string_view text = *FText;
  std::sort(kept.begin(), kept.end(), [&](const TLine* a, const TLine* b) {
    return text.substr(a->Path, a->PathLength) < text.substr(b->Path, b->PathLength);
  });
  entries.reserve(kept.size());
  for (const TLine* l : kept) {
    TCheckEntry& e = entries.emplace_back(String(text.substr(l->Path, l->PathLength)),
                                          String(text.substr(l->Value, l->ValueLength)), FFileName,
                                          l->Number);
    e.Cut = l->Cut;
  }
  return entries;
}

std::vector<Integer> TTranslationFileIndex::Locales(std::string_view formName) const {
  TakeApart(formName);
  std::vector<Integer> locales;
  for (const auto& [key, lines] : FLines)
    if (key.first == formName && key.second != -1) locales.push_back(key.second);
  std::sort(locales.begin(), locales.end());
  return locales;
}

}  // namespace Glossmith::inline Check
