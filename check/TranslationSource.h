// The entries of a translation file as the checks need them: each with its
// line, taken apart as loading takes a line apart, for every form and
// locale of the file at once.
#pragma once

#include <map>
#include <vector>

#include "check/FormChecks.h"

namespace Glossmith::inline Check {

class TTranslationFileIndex {
 public:
  // Reads the file under its lock (TFileLock), so that a writer's
  // half-done merge is never read; raises the host's file errors.
  static TTranslationFileIndex Read(const String& fileName);
  // The file's text, as `fileName` would hold it.
  TTranslationFileIndex(const String& fileName, std::string_view text);

  const String& FileName() const { return FFileName; }
  // The entries of form `formName` for `locale`, as loading merges them:
  // one per path, the file's last line for it winning; in path order.
  std::vector<TCheckEntry> Entries(std::string_view formName, Integer locale) const;
  // The locales the file holds translations of `formName` in (not -1).
  std::vector<Integer> Locales(std::string_view formName) const;
  // Lines of a form whose locale is no number (loading stops at them).
  const std::vector<TCheckEntry>& BadLines() const { return FBadLines; }

 private:
  String FFileName;
  std::map<std::pair<String, Integer>, std::map<String, TCheckEntry>> FEntries;
  std::vector<TCheckEntry> FBadLines;
};

}  // namespace Glossmith::inline Check
