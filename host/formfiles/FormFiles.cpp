#include "host/formfiles/FormFiles.h"

#include "host/classes/Filer.h"
#include "host/classes/Generic.h"
#include "host/classes/Streams.h"
#include "host/formfiles/FormBinary.h"
#include "host/formfiles/FormParser.h"
#include "host/formfiles/FormText.h"

namespace Glossmith::inline FormFiles {

namespace {

bool HasFormProperties(const TFormObject& tree) {
  static const char* const FormProps[] = {
      "Caption", "ClientWidth", "ClientHeight", "BorderStyle",   "BorderIcons",   "Position",
      "Menu",    "FormStyle",   "WindowState",  "Color",         "PixelsPerInch", "TextHeight",
      "Font",    "Icon",        "KeyPreview",   "ActiveControl", "AutoScroll",    "Scaled",
  };
  for (const TFormProperty& p : tree.Properties) {
    std::string_view head = std::string_view(p.Name).substr(0, p.Name.find('.'));
    for (const char* name : FormProps)
      if (SameText(head, name)) return true;
  }
  return false;
}

bool IsDataModuleName(const String& className) {
  String upper = UpperCase(className);
  if (upper.find("DATAMODULE") != String::npos) return true;
  if (upper.size() > 6 && upper.compare(upper.size() - 6, 6, "MODULE") == 0) return true;
  return className.size() > 3 && upper.compare(0, 3, "TDM") == 0 && className[3] >= 'A' &&
         className[3] <= 'Z';
}

// Frees a form that has not been read whole.
struct TRootGuard {
  TComponent* Root;
  ~TRootGuard() { delete Root; }
};

}  // namespace

std::unique_ptr<TFormObject> ParseForm(std::string_view data) {
  if (IsBinaryForm(data)) return ParseFormBinary(data);
  return ParseFormText(data);
}

String FormTreeToString(const TFormObject& root, TFormFormat format) {
  return format == TFormFormat::Binary ? FormTreeToBinary(root) : FormTreeToText(root);
}

const TClassInfo& FormRootClass(const TFormObject& tree, const TClassInfo* formClass) {
  if (formClass) return *formClass;
  const TClassInfo& component = TComponent::StaticClass();
  if (const TClassInfo* info = GetClass(tree.ClassName);
      info && info->InheritsFrom(component) && info->Factory())
    return *info;
  if (IsDataModuleName(tree.ClassName) && !HasFormProperties(tree))
    if (const TClassInfo* info = GetClass("TDataModule"); info && info->Factory()) return *info;
  if (const TClassInfo* info = GetClass("TForm"); info && info->Factory()) return *info;
  return TGenericComponent::StaticClass();
}

void ReadFormInto(TComponent* root, std::string_view data) {
  auto tree = ParseForm(data);
  TReader reader(*tree);
  reader.ReadRootComponent(root);
}

namespace {

TComponent* ReadForm(std::string_view data, TComponent* owner, const TClassInfo* formClass,
                     bool designing) {
  auto tree = ParseForm(data);
  const TClassInfo& info = FormRootClass(*tree, formClass);
  if (!info.Factory() || !info.InheritsFrom(TComponent::StaticClass()))
    throw EReadError(Format("Cannot create a form of class %s", {info.Name()}));
  TRootGuard guard{dynamic_cast<TComponent*>(info.Factory()(owner))};
  if (!guard.Root) throw EReadError(Format("%s is not a component class", {info.Name()}));
  // A form of a class the program does not register reports the file's class.
  if (guard.Root->ClassName() != tree->ClassName) guard.Root->SetFormClassName(tree->ClassName);
  if (designing) guard.Root->SetDesigning(true);
  TReader reader(*tree);
  reader.ReadRootComponent(guard.Root);
  TComponent* root = guard.Root;
  guard.Root = nullptr;
  return root;
}

}  // namespace

TComponent* ReadFormFromString(std::string_view data, TComponent* owner,
                               const TClassInfo* formClass) {
  return ReadForm(data, owner, formClass, false);
}

TComponent* ReadFormForDesigning(std::string_view data, TComponent* owner,
                                 const TClassInfo* formClass) {
  return ReadForm(data, owner, formClass, true);
}

String WriteFormToString(TComponent* root, TFormFormat format) {
  TWriter writer;
  auto tree = writer.WriteRootComponent(root);
  return FormTreeToString(*tree, format);
}

void WriteFormToFile(const String& fileName, TComponent* root, TFormFormat format) {
  WriteFileAtomically(fileName, WriteFormToString(root, format));
}

}  // namespace Glossmith::inline FormFiles
