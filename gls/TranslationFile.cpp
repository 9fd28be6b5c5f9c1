// The translation file: lines  form name "." path "%" locale "=" value, shared
// by any number of forms and locales. Each translator rewrites and reads only
// the lines of its own form and locale, and the original texts (locale -1).
#include "gls/FileMerge.h"
#include "gls/Diagnostics.h"
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
  TDiagnosticFile diagnosticFile(FileName);
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

String PropertyPathProblem(std::string_view Path) {
  if (Path.size() > MaxPathLength)
    return Format("A property path can have at most %d characters; this one has %d.",
                  {MaxPathLength, Path.size()});
  if (Path.find('=') != std::string_view::npos)
    return "A property path cannot hold \"=\", which ends the path in a translation line.";
  if (Path.find('%') != std::string_view::npos)
    return "A property path cannot hold \"%\", which starts the locale in a translation file.";
  if (Path.find_first_of("\r\n") != std::string_view::npos)
    return "A property path cannot hold a line break.";
  return String();
}

bool TGlossmith::LoadFrom(const String& FileName) {
  if (!FileExists(FileName)) return false;
  const String formName = RequireFormName(*this);
  TActiveListScope scope(FActiveList, FTranslations.get());
  TMappedFile file(FileName);
  MergeLoadedLines(file.Text(), formName, FLocale, *FTranslations, FileName);
  return true;
}

}  // namespace Glossmith::inline Gls
