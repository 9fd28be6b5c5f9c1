#include "check/TranslationSource.h"

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
  return TTranslationFileIndex(fileName, text);
}

TTranslationFileIndex::TTranslationFileIndex(const String& fileName, std::string_view text)
    : FFileName(fileName) {
  int number = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++number;
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return;
    const std::string_view form = line.substr(0, dot);
    const std::string_view whole = line.substr(dot + 1);
    const std::string_view rest = whole.substr(0, MaxValueLength);
    const size_t eq = rest.find('=');
    const std::string_view key = rest.substr(0, eq);
    const size_t percent = key.find('%');
    Integer locale = 0;
    TCheckEntry entry;
    entry.File = FFileName;
    entry.Line = number;
    if (percent == std::string_view::npos || eq == std::string_view::npos ||
        !TryStrToInt(key.substr(percent + 1, MaxLocaleLength), locale)) {
      entry.Path = String(line);
      FBadLines.push_back(std::move(entry));
      return;
    }
    entry.Path = String(key.substr(0, percent));
    entry.Value = String(rest.substr(eq + 1));
    entry.Cut = whole.size() > rest.size();
    String path = entry.Path;
    FEntries[{String(form), locale}][path] = std::move(entry);
  });
}

std::vector<TCheckEntry> TTranslationFileIndex::Entries(std::string_view formName,
                                                         Integer locale) const {
  std::vector<TCheckEntry> entries;
  auto found = FEntries.find({String(formName), locale});
  if (found == FEntries.end()) return entries;
  entries.reserve(found->second.size());
  for (const auto& [path, entry] : found->second) entries.push_back(entry);
  return entries;
}

std::vector<Integer> TTranslationFileIndex::Locales(std::string_view formName) const {
  std::vector<Integer> locales;
  for (const auto& [key, entries] : FEntries)
    if (key.first == formName && key.second != -1) locales.push_back(key.second);
  return locales;
}

}  // namespace Glossmith::inline Check
