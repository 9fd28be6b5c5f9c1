#include "gls/FileUpdate.h"

#include <chrono>
#include <exception>
#include <utility>

#include "gls/BatchMerge.h"
#include "gls/Diagnostics.h"
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

// A translator saved while the file is still being read: what the merge
// needs of it, since its form may be gone when the file is there.
struct TTranslationFileUpdate::TPendingSave {
  int Call = 0;
  String FormName;
  Integer Locale = 0;
  std::unique_ptr<TStringList> Translations;
  std::vector<String> Originals;
  // The error of gathering the original texts: the merge raises it where it
  // asks for them, after the form's lines are dropped, as SaveTo does.
  std::exception_ptr WalkError;
};

TTranslationFileUpdate::TTranslationFileUpdate(const String& FileName) : FFileName(FileName) {}

TTranslationFileUpdate::~TTranslationFileUpdate() = default;

void TTranslationFileUpdate::Save(TGlossmith& Translator) {
  THourGlass hourGlass;
  const int call = FCalls++;
  String formName;
  try {
    formName = RequireFormName(Translator);
    if (!FLock) {
      FLock = std::make_unique<TFileLock>(FFileName);
      FReading = std::async(std::launch::async, [name = LatestVersion(FFileName)] {
        return std::make_unique<TTranslationFileMerge>(ContentOf(name));
      });
    }
  } catch (...) {
    MergePending(true);  // an error of a translator before this one comes first
    FErrorSource = call;
    throw;
  }
  TPendingSave save{call, formName, Translator.FLocale, std::make_unique<TStringList>(), {}, {}};
  save.Translations->AssignItems(Translator.FTranslations->Items());
  try {
    save.Originals = Translator.OriginalsToSave();
  } catch (...) {
    save.WalkError = std::current_exception();
  }
  const std::exception_ptr walkError = save.WalkError;
  FPending.push_back(std::move(save));
  // A failed walk is raised by this call, once the file is there.
  MergePending(walkError != nullptr);
  if (walkError) {
    FErrorSource = call;
    std::rethrow_exception(walkError);
  }
}

void TTranslationFileUpdate::MergePending(bool Wait) {
  if (FPending.empty()) return;
  TDiagnosticFile diagnosticFile(FFileName);
  if (!FLines) {
    if (!Wait && FReading.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    try {
      FLines = FReading.get();
    } catch (...) {
      // The file could not be read: the first translator's save raises it.
      FErrorSource = FPending.front().Call;
      FPending.clear();
      throw;
    }
  }
  size_t i = 0;
  try {
    for (; i < FPending.size(); ++i) {
      TPendingSave& save = FPending[i];
      FLines->Edit(save.FormName, save.Locale, *save.Translations, [&save] {
        if (save.WalkError) std::rethrow_exception(save.WalkError);
        return std::move(save.Originals);
      });
      ++FCount;
    }
  } catch (...) {
    // The translators after the one that failed are left out, as they would
    // not have been saved in turn.
    FErrorSource = FPending[i].Call;
    FPending.clear();
    throw;
  }
  FPending.clear();
}

int TTranslationFileUpdate::Count() const { return FCount + static_cast<int>(FPending.size()); }

void TTranslationFileUpdate::Commit() {
  std::exception_ptr error;
  try {
    MergePending(true);
  } catch (...) {
    error = std::current_exception();
  }
  // The lock goes last, after the reading ended and the file is written or
  // the write failed.
  auto lock = std::move(FLock);
  FReading = {};
  auto lines = std::move(FLines);
  FCalls = 0;
  if (std::exchange(FCount, 0) > 0) {
    THourGlass hourGlass;
    const int source = std::exchange(FErrorSource, -1);
    WriteLines(FFileName, *lines);
    FErrorSource = source;
  }
  if (error) std::rethrow_exception(error);
}

void TGlossmith::SaveAllTo(const std::vector<TGlossmith*>& Translators, const String& FileName) {
  TTranslationFileUpdate update(FileName);
  AddAll(update, Translators, [](TTranslationFileUpdate& u, TGlossmith& t) { u.Save(t); });
}

// --- Dictionary -----------------------------------------------------------------

TDictionaryUpdate::TDictionaryUpdate(const String& FileName) : FFileName(FileName) {}

TDictionaryUpdate::~TDictionaryUpdate() = default;

void TDictionaryUpdate::Export(TGlossmith& Translator) {
  ++FCalls;
  const std::vector<String> current = SortedCurrentValues(Translator);
  if (!FLines) {
    auto lock = std::make_unique<TFileLock>(FFileName);
    FLines = std::make_unique<TDictionaryMerge>(ContentOf(LatestVersion(FFileName)));
    FLock = std::move(lock);
  }
  TDiagnosticFile diagnosticFile(FFileName);
  FLines->Export(current, *Translator.FTranslations);
  ++FCount;
}

void TDictionaryUpdate::Commit() {
  auto lock = std::move(FLock);
  auto lines = std::move(FLines);
  FCalls = 0;
  if (std::exchange(FCount, 0) == 0) return;
  WriteLines(FFileName, *lines);
}

void TGlossmith::TranslateAllTo(const std::vector<TGlossmith*>& Translators,
                                const String& FileName) {
  TDictionaryUpdate update(FileName);
  AddAll(update, Translators, [](TDictionaryUpdate& u, TGlossmith& t) { u.Export(t); });
}

}  // namespace Glossmith::inline Gls
