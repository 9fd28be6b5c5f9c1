#include "design/GlsReg.h"

#include "gls/Gls.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/platform/Windows.h"

namespace Glossmith::inline Design {

GLS_IMPLEMENT_CLASS(TFormAboutProperty)
GLS_IMPLEMENT_CLASS(TFormTranslationsProperty)
GLS_IMPLEMENT_CLASS(TFormFileNameProperty)
GLS_IMPLEMENT_CLASS(TGlossmithEditor)

namespace {

TGlossmith* FirstTranslator(const TPropertyEditor& editor) {
  return dynamic_cast<TGlossmith*>(editor.GetComponent(0));
}

String& HelpFileSetting() {
  static String name;
  return name;
}

// The system's document viewer opens the help: a viewer or help file that is
// missing is not reported, as nobody asked for more than a try.
void ShowHelp() {
  String quoted;
  for (char c : HelpFileName()) quoted += c == '"' ? String("\\\"") : String(1, c);
  Windows::WinExec(("xdg-open \"" + quoted + "\"").c_str(), Windows::SW_HIDE);
}

}  // namespace

void TFormAboutProperty::Edit() {
  if (TGlossmith* translator = FirstTranslator(*this)) translator->ShowAbout();
}

TPropertyAttributes TFormAboutProperty::GetAttributes() { return {paDialog, paReadOnly}; }

String TFormAboutProperty::GetValue() { return "(About...)"; }

void TFormTranslationsProperty::Edit() {
  TGlossmith* translator = FirstTranslator(*this);
  if (translator && translator->ShowEditor()) Modified();
}

TPropertyAttributes TFormTranslationsProperty::GetAttributes() { return {paDialog, paReadOnly}; }

String TFormTranslationsProperty::GetValue() { return "[Form Editor]"; }

void TFormFileNameProperty::Edit() {
  TGlossmith* translator = FirstTranslator(*this);
  if (!translator) return;
  std::unique_ptr<TOpenDialog> dialog(new TOpenDialog(Application));
  dialog->SetFilter("Form translations (*.txt)|*.txt");
  dialog->SetTitle("Select a Form translations file");
  dialog->SetDefaultExt("txt");
  dialog->SetFileName(translator->FileName());
  if (dialog->Execute()) {
    translator->SetFileName(dialog->FileName());
    Modified();
  }
}

TPropertyAttributes TFormFileNameProperty::GetAttributes() { return {paDialog}; }

void TGlossmithEditor::ExecuteVerb(int Index) {
  auto* translator = dynamic_cast<TGlossmith*>(Component());
  if (!translator) return;
  switch (Index) {
    case 0:
      if (translator->ShowEditor() && GetDesigner()) GetDesigner()->Modified();
      break;
    case 1:
      translator->ShowAbout();
      break;
    case 2:
      ShowHelp();
      break;
    default:
      break;
  }
}

String TGlossmithEditor::GetVerb(int Index) {
  switch (Index) {
    case 0:
      return "Form Translation Editor";
    case 1:
      return "About Glossmith";
    case 2:
      return "Help Contents";
    default:
      return String();
  }
}

int TGlossmithEditor::GetVerbCount() { return 3; }

String HelpFileName() {
  if (!HelpFileSetting().empty()) return HelpFileSetting();
  if (FileExists(GLS_HELP_INSTALLED)) return GLS_HELP_INSTALLED;
  if (FileExists(GLS_HELP_SOURCE)) return GLS_HELP_SOURCE;
  return GLS_HELP_INSTALLED;
}

void SetHelpFileName(const String& Value) { HelpFileSetting() = Value; }

void Register() {
  const TClassInfo& translator = TGlossmith::StaticClass();
  RegisterPropertyEditor(TStrings::StaticClass().TypeInfo(), &translator, "Translations",
                         TFormTranslationsProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<String>(), &translator, "About",
                         TFormAboutProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<String>(), &translator, "FileName",
                         TFormFileNameProperty::StaticClass());
  RegisterComponentEditor(translator, TGlossmithEditor::StaticClass());
  RegisterComponents(PalettePage, {&translator});
}

}  // namespace Glossmith::inline Design
