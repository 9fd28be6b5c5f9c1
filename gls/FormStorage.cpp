// The translator's part of its form file: the translation list itself when
// FileName is empty, and always the defined property "Storage", through which
// writing and reading the form file reach the translation file named by
// FileName after the translator's published properties.
#include "gls/Gls.h"
#include "gls/StorageSupport.h"
#include "host/classes/Filer.h"

namespace Glossmith::inline Gls {

using namespace glsstorage;

bool TGlossmith::StoreTranslationsInForm() const { return FFileName.empty(); }

void TGlossmith::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      "Storage", [this](TReader* reader) { ReadStorage(reader); },
      [this](TWriter* writer) { WriteStorage(writer); }, true);
}

void TGlossmith::WriteStorage(TWriter* Writer) {
  Writer->WriteInteger(0);
  const String file = StorageFile();
  if (!file.empty()) SaveTo(file);
}

String TGlossmith::StorageFile() const {
  if (FFileName.empty()) return String();
  if (FStorageFile) return *FStorageFile;
  // A name with a directory part is used as it stands (a "\" from another
  // platform is a separator); a bare name goes to the application's folder.
  const bool hasDirectory = FFileName.find_first_of("/\\") != String::npos;
  return hasDirectory ? NativeFileName(FFileName) : GetAppDir() + FFileName;
}

void TGlossmith::ReadStorage(TReader* Reader) {
  Reader->ReadInteger();
  const String name = NativeFileName(FFileName);
  if (FileExists(name))
    LoadFrom(name);
  else if (FileExists(GetAppDir() + name))
    LoadFrom(GetAppDir() + name);
}

}  // namespace Glossmith::inline Gls
