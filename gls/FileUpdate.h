// Saving the translators of many forms into one translation file, or
// exporting them into one dictionary, in one pass: the file is locked and
// read at the first translator, each translator's lines are merged in as
// SaveTo or TranslateTo would merge them into the file the one before it
// wrote, and Commit writes the file once. A translator's form may be freed
// once it has been added, so that a tool can bring up one form at a time.
#pragma once

#include <memory>

#include "gls/Gls.h"
#include "host/classes/FileLock.h"

namespace Glossmith::inline Gls {

namespace glsstorage {
class TTranslationFileMerge;
class TDictionaryMerge;
}  // namespace glsstorage

class TTranslationFileUpdate {
 public:
  explicit TTranslationFileUpdate(const String& FileName);
  ~TTranslationFileUpdate();
  TTranslationFileUpdate(const TTranslationFileUpdate&) = delete;
  TTranslationFileUpdate& operator=(const TTranslationFileUpdate&) = delete;

  // Merges the translator's lines as SaveTo(FileName) would. Raises what
  // SaveTo raises; the translator's lines are then left out and the ones
  // saved before it stay, to be written by Commit.
  void Save(TGlossmith& Translator);
  // Writes the file when any translator was saved, and releases the lock.
  // Without Commit the file is left as it was.
  void Commit();
  // The translators saved and not yet written.
  int Count() const { return FCount; }

 private:
  String FFileName;
  std::unique_ptr<TFileLock> FLock;
  std::unique_ptr<glsstorage::TTranslationFileMerge> FLines;
  int FCount = 0;
};

class TDictionaryUpdate {
 public:
  explicit TDictionaryUpdate(const String& FileName);
  ~TDictionaryUpdate();
  TDictionaryUpdate(const TDictionaryUpdate&) = delete;
  TDictionaryUpdate& operator=(const TDictionaryUpdate&) = delete;

  // Merges the translator's translations as TranslateTo(FileName) would;
  // errors as for TTranslationFileUpdate::Save.
  void Export(TGlossmith& Translator);
  void Commit();
  int Count() const { return FCount; }

 private:
  String FFileName;
  std::unique_ptr<TFileLock> FLock;
  std::unique_ptr<glsstorage::TDictionaryMerge> FLines;
  int FCount = 0;
};

}  // namespace Glossmith::inline Gls
