// The entries of a translation file as the checks need them: each with its
// line, taken apart as loading takes a line apart, for every form and
// locale of the file at once.
#pragma once

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "check/FormChecks.h"

namespace Glossmith::inline Check {

class TTranslationFileIndex {
 public:
  // Reads the file under its lock (TFileLock), so that a writer's
  // half-done merge is never read; raises the host's file errors.
  static TTranslationFileIndex Read(const String& fileName);
  // The file's text, as `fileName` would hold it.
  TTranslationFileIndex(const String& fileName, String text);

  const String& FileName() const { return FFileName; }
  // The entries of form `formName` for `locale`, as loading merges them:
  // one per path, the file's last line for it winning; in path order.
  std::vector<TCheckEntry> Entries(std::string_view formName, Integer locale) const;
  // The locales the file holds translations of `formName` in (not -1).
  std::vector<Integer> Locales(std::string_view formName) const;
  // Lines of a form whose locale is no number (loading stops at them), of
  // the forms asked for so far.
  const std::vector<TCheckEntry>& BadLines() const { return FBadLines; }

 private:
  // A line of the file, by offsets into its text (the index may move).
  struct TLine {
    int Number;
    size_t Path, PathLength, Value, ValueLength;
    bool Cut;
  };
  struct TKeyHash {
    size_t operator()(const std::pair<std::string_view, Integer>& k) const {
      return std::hash<std::string_view>()(k.first) * 31 + static_cast<size_t>(k.second);
    }
  };
  String FFileName;
  // The text is held apart, so that the keys that view it stay valid when
  // the index moves.
  std::shared_ptr<const String> FText;
  // A form's lines are taken apart when it is first asked for, in one scan
  // of the text.
  void TakeApart(std::string_view formName) const;
  mutable std::unordered_map<String, bool> FTakenApart;
  mutable std::unordered_map<std::pair<std::string_view, Integer>, std::vector<TLine>, TKeyHash>
      FLines;
  mutable std::vector<TCheckEntry> FBadLines;
};

}  // namespace Glossmith::inline Check
