#include "gls/FileUpdate.h"

#include <utility>

#include "gls/BatchMerge.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/Streams.h"

namespace Glossmith::inline Gls {

using namespace glsstorage;

namespace {

// The file's content, empty when there is no file.
String ContentOf(const String& fileName) {
  return FileExists(fileName) ? ReadFileToString(fileName) : String();
}

template <class Lines>
void WriteLines(const String& fileName, const Lines& lines) {
  TAtomicFileWriter out(fileName);
  lines.ForEach([&out](std::string_view line) {
    out.Write(line);
    out.Write("\r\n");
  });
  out.Commit();
}

// Runs `add` for each translator, then writes what was added, also when a
// translator raised an error (which then passes on).
template <class Update, class Add>
void AddAll(Update& update, const std::vector<TGlossmith*>& translators, Add add) {
  try {
    for (TGlossmith* t : translators) add(update, *t);
  } catch (...) {
    update.Commit();
    throw;
  }
  update.Commit();
}

}  // namespace

// --- Translation file ---------------------------------------------------------

TTranslationFileUpdate::TTranslationFileUpdate(const String& FileName) : FFileName(FileName) {}

TTranslationFileUpdate::~TTranslationFileUpdate() = default;

void TTranslationFileUpdate::Save(TGlossmith& Translator) {
  THourGlass hourGlass;
  const String formName = RequireFormName(Translator);
  if (!FLines) {
    auto lock = std::make_unique<TFileLock>(FFileName);
    FLines = std::make_unique<TTranslationFileMerge>(ContentOf(FFileName));
    FLock = std::move(lock);
  }
  FLines->Edit(formName, Translator.FLocale, *Translator.FTranslations,
               [&Translator] { return Translator.OriginalsToSave(); });
  ++FCount;
}

void TTranslationFileUpdate::Commit() {
  // The lock goes last, after the file is written or the write failed.
  auto lock = std::move(FLock);
  auto lines = std::move(FLines);
  if (std::exchange(FCount, 0) == 0) return;
  THourGlass hourGlass;
  WriteLines(FFileName, *lines);
}

void TGlossmith::SaveAllTo(const std::vector<TGlossmith*>& Translators, const String& FileName) {
  TTranslationFileUpdate update(FileName);
  AddAll(update, Translators, [](TTranslationFileUpdate& u, TGlossmith& t) { u.Save(t); });
}

// --- Dictionary -----------------------------------------------------------------

TDictionaryUpdate::TDictionaryUpdate(const String& FileName) : FFileName(FileName) {}

TDictionaryUpdate::~TDictionaryUpdate() = default;

void TDictionaryUpdate::Export(TGlossmith& Translator) {
  const std::vector<String> current = SortedCurrentValues(Translator);
  if (!FLines) {
    auto lock = std::make_unique<TFileLock>(FFileName);
    FLines = std::make_unique<TDictionaryMerge>(ContentOf(FFileName));
    FLock = std::move(lock);
  }
  FLines->Export(current, *Translator.FTranslations);
  ++FCount;
}

void TDictionaryUpdate::Commit() {
  auto lock = std::move(FLock);
  auto lines = std::move(FLines);
  if (std::exchange(FCount, 0) == 0) return;
  WriteLines(FFileName, *lines);
}

void TGlossmith::TranslateAllTo(const std::vector<TGlossmith*>& Translators,
                                const String& FileName) {
  TDictionaryUpdate update(FileName);
  AddAll(update, Translators, [](TDictionaryUpdate& u, TGlossmith& t) { u.Export(t); });
}

}  // namespace Glossmith::inline Gls
