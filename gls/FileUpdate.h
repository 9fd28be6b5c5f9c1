// Saving the translators of many forms into one translation file, or
// exporting them into one dictionary, in one pass: the file is locked and
// read at the first translator, each translator's lines are merged in as
// SaveTo or TranslateTo would merge them into the file the one before it
// wrote, and Commit writes the file once. A translator's form may be freed
// once it has been added, so that a tool can bring up one form at a time.
#pragma once

#include <future>
#include <memory>
#include <vector>

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
  //
  // The file is read in the background while the next translators gather
  // their original texts, and their lines are merged in once it is there.
  // An error in merging the lines of one translator (a malformed line of its
  // form in the file, or the file that cannot be read) is then raised by a
  // later Save or by Commit, after the translators before it are merged in
  // and before anything of the ones after it, so that the outcome is the
  // one of saving each in turn; ErrorSource tells whose it is.
  void Save(TGlossmith& Translator);
  // Merges the translators that wait for the file; raises the error of the
  // first that fails, leaving it and the ones after it out.
  void Merge() { MergePending(true); }
  // Merges what waits, then writes the file when any translator was saved,
  // and releases the lock; an error in merging is raised after the writing.
  // Without Commit the file is left as it was.
  void Commit();
  // The translators saved and not yet written.
  int Count() const;
  // The translator the last error raised by Save or Commit belongs to: its
  // position among the calls of Save since the last Commit, from 0; -1 for
  // an error in writing the file.
  int ErrorSource() const { return FErrorSource; }

 private:
  struct TPendingSave;
  // Merges the saves that wait for the file, in order; waits for the file
  // when Wait, else merges only when it is there.
  void MergePending(bool Wait);

  String FFileName;
  std::unique_ptr<TFileLock> FLock;
  std::future<std::unique_ptr<glsstorage::TTranslationFileMerge>> FReading;
  std::unique_ptr<glsstorage::TTranslationFileMerge> FLines;
  std::vector<TPendingSave> FPending;
  int FCalls = 0;
  int FCount = 0;
  int FErrorSource = -1;
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
  // The translator an error belongs to, as for TTranslationFileUpdate: here
  // always the one of the call that raised it.
  int ErrorSource() const { return FCalls - 1; }

 private:
  String FFileName;
  std::unique_ptr<TFileLock> FLock;
  std::unique_ptr<glsstorage::TDictionaryMerge> FLines;
  int FCalls = 0;
  int FCount = 0;
};

}  // namespace Glossmith::inline Gls
