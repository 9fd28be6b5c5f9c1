// The translator at design time: the editor dialog and the About box.
#include "gls/Gls.h"
#include "host/controls/Forms.h"
#include "host/platform/UserInterface.h"

namespace Glossmith::inline Gls {

bool TGlossmith::ShowEditor() {
  // Every other translator of every form shows its original texts, so that
  // the form's values the editor collects are the untranslated ones.
  for (int f = 0; f < Application->ComponentCount(); ++f) {
    auto* form = dynamic_cast<TForm*>(Application->Components(f));
    if (!form) continue;
    for (int c = 0; c < form->ComponentCount(); ++c)
      if (auto* other = dynamic_cast<TGlossmith*>(form->Components(c)); other && other != this)
        other->SetTranslate(false);
  }
  const bool saved = FTranslate;
  const TClassInfo* editorClass = GetClass("TFormEditor");
  if (!editorClass || !editorClass->Factory())
    throw EComponentError("The translations editor (TFormEditor) is not part of this program");
  std::unique_ptr<TObject> dialog(editorClass->Factory()(Application));
  auto* form = dynamic_cast<TCustomForm*>(dialog.get());
  auto* editor = dynamic_cast<TTranslationsEditor*>(dialog.get());
  if (!form || !editor) throw EComponentError("TFormEditor is not a translations editor dialog");
  editor->SetTranslator(this);
  // Whatever happens while the dialog is shown, it is freed and this
  // translator's Translate is put back.
  struct TRestore {
    TGlossmith* Self;
    std::unique_ptr<TObject>& Dialog;
    bool Translate;
    ~TRestore() {
      Dialog.reset();
      Self->SetTranslate(Translate);
    }
  } restore{this, dialog, saved};
  SetTranslate(false);
  return form->ShowModal() == mrOk;
}

void TGlossmith::ShowAbout() {
  UserInterface().MessageBox(
      {"About ...", "Glossmith\nVersion 1.0", mtInformation, TMsgDlgButtons{mbOK}});
}

}  // namespace Glossmith::inline Gls
