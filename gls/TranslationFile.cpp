// The translation file: lines  form name "." path "%" locale "=" value, shared
// by any number of forms and locales. Each translator rewrites and reads only
// the lines of its own form and locale, and the original texts (locale -1).
#include "gls/FileMerge.h"
#include "gls/Gls.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"
#include "host/classes/TextLines.h"
#include "host/controls/Forms.h"
#include "host/platform/ToolIntf.h"

namespace Glossmith::inline Gls {

using namespace glsstorage;

namespace {

// Sets a translator's active list for the time of a scope.
class TActiveListScope {
 public:
  TActiveListScope(TStrings*& active, TStrings* list) : FActive(active) { FActive = list; }
  ~TActiveListScope() { FActive = nullptr; }
  TActiveListScope(const TActiveListScope&) = delete;
  TActiveListScope& operator=(const TActiveListScope&) = delete;

 private:
  TStrings*& FActive;
};

}  // namespace

String TGlossmith::GetAppDir() const {
  String name = ComponentState().Contains(csDesigning) ? ToolServices->GetProjectName()
                                                       : Application->ExeName();
  return ExtractFilePath(name);
}

std::vector<String> TGlossmith::OriginalsToSave() {
  TActiveListScope scope(FActiveList, FTranslations.get());
  std::vector<String> originals;
  if (!FIsTranslated && !(OnTranslateForm || OnTranslateComponent || OnTranslated)) {
    // No handler sees the collected list: the walk gathers only the lines
    // that are kept.
    struct TCollectOnlyScope {
      const TStringList*& Filter;
      ~TCollectOnlyScope() { Filter = nullptr; }
    } only{FCollectOnly};
    FCollectOnly = FTranslations.get();
    TStringList kept;
    TranslateForm(&kept, true);
    for (const auto& item : kept.Items()) originals.push_back(item.Str);
    return originals;
  }
  TStringList current;
  if (!FIsTranslated) TranslateForm(&current, true);
  const TStringList& source = FIsTranslated ? *Originals() : current;
  for (const auto& item : source.Items()) {
    int index;
    if (FindEntry(*FTranslations, Before(item.Str, '='), index)) originals.push_back(item.Str);
  }
  return originals;
}

void TGlossmith::SaveTo(const String& FileName) {
  THourGlass hourGlass;
  const String formName = RequireFormName(*this);
  TFileLock lock(FileName);
  // Another translator of the same form may have written the file's next
  // version already, still to be put in place with the form.
  const String latest = LatestVersion(FileName);
  TTextLines file;
  if (FileExists(latest)) file.LoadFromFile(latest);
  DropFormLines(file.Lines(), formName, FLocale);
  const std::vector<String> originals = OriginalsToSave();
  TLineOverlay lines =
      InsertFormLines(std::move(file.Lines()), formName, FLocale, *FTranslations, originals);
  TAtomicFileWriter out(FileName);
  lines.ForEach([&out](std::string_view line) {
    out.Write(line);
    out.Write("\r\n");
  });
  out.Commit();
}

bool TGlossmith::LoadFrom(const String& FileName) {
  if (!FileExists(FileName)) return false;
  const String formName = RequireFormName(*this);
  TActiveListScope scope(FActiveList, FTranslations.get());
  TMappedFile file(FileName);
  MergeLoadedLines(file.Text(), formName, FLocale, *FTranslations);
  return true;
}

}  // namespace Glossmith::inline Gls
