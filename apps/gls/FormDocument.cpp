#include "FormDocument.h"

#include "host/classes/Streams.h"
#include "host/controls/Forms.h"

namespace Glossmith::Tool {

TFormDocument::TFormDocument(const String& fileName, TAccess access) : FFileName(fileName) {
  Guard([&] {
    if (access == TAccess::Update) FLock = std::make_unique<TFileLock>(fileName);
    String data = ReadFileToString(fileName);
    FFormat =
        !data.empty() && (static_cast<unsigned char>(data[0]) == 0xFF || data.starts_with("TPF"))
            ? TFormFormat::Binary
            : TFormFormat::Text;
    String folder = ExtractFilePath(ExpandFileName(fileName));
    Application->SetExeName(folder + "application");
    FRoot = ReadFormFromString(data, Application);
    return 0;
  });
}

TFormDocument::~TFormDocument() { delete FRoot; }

std::vector<TGlossmith*> TFormDocument::Translators() const {
  std::vector<TGlossmith*> list;
  for (int i = 0; i < FRoot->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TGlossmith*>(FRoot->Components(i)); t && t != FTemporary)
      list.push_back(t);
  return list;
}

TGlossmith* TFormDocument::Choose(const TTranslatorChoice& choice) {
  std::vector<TGlossmith*> all = Translators();
  if (!choice.Name.empty()) {
    for (TGlossmith* t : all)
      if (SameText(t->Name(), choice.Name)) return t;
    throw EToolError(FFileName + ": no translator named " + choice.Name);
  }
  if (choice.Locale) {
    for (TGlossmith* t : all)
      if (t->Locale() == *choice.Locale) return t;
    if (!all.empty())
      throw EToolError(FFileName + ": no translator with Locale " + IntToStr(*choice.Locale));
  } else if (all.size() == 1) {
    return all.front();
  } else if (all.size() > 1) {
    String names;
    for (TGlossmith* t : all) names += (names.empty() ? "" : ", ") + t->Name();
    throw EToolError(FFileName + ": the form has several translators (" + names +
                     "); choose one with --locale or --translator");
  }
  if (!FTemporary) {
    FTemporary = new TGlossmith(FRoot);
    FTemporary->SetTranslate(false);
  }
  FTemporary->SetLocale(choice.Locale.value_or(0));
  return FTemporary;
}

std::vector<TGlossmith*> TFormDocument::ChooseAll(const TTranslatorChoice& choice) {
  if (!choice.Given()) {
    std::vector<TGlossmith*> all = Translators();
    if (!all.empty()) return all;
  }
  return {Choose(choice)};
}

void TFormDocument::DropTemporary() {
  delete FTemporary;
  FTemporary = nullptr;
}

void TFormDocument::Write(const String& fileName) {
  DropTemporary();
  const String& target = fileName.empty() ? FFileName : fileName;
  try {
    WriteFormToFile(target, FRoot, FFormat);
  } catch (const Exception& e) {
    throw EToolError(target + ": " + e.Message());
  }
}

String TFormDocument::WriteToString() {
  DropTemporary();
  return Guard([&] { return WriteFormToString(FRoot, FFormat); });
}

void TFormDocument::RemoveTranslators() {
  DropTemporary();
  for (TGlossmith* t : Translators()) delete t;
}

}  // namespace Glossmith::Tool
