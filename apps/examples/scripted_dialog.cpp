// A dialog built in code, run by a script as a person would run it: the
// script clicks, types and answers the dialog's questions, and the program
// prints what happened. Give a script file to run it instead of the one
// below (docs/SCRIPTS.md has the syntax).
#include <cstdio>

#include "host/controls/Dialogs.h"
#include "host/controls/ScriptedUserInterface.h"
#include "host/controls/StdCtrls.h"

namespace {

const char* const kScript = R"(# Add two names, remove one, keep the rest.
focus EdtName
type "Grace"
click BtnAdd
type "Alan"
key Enter              # Enter presses the Default button, Add
click-item Names 0
key Delete
answer yes
click BtnOK
)";

template <class T>
T* Make(TForm* form, const char* name, const char* caption = "") {
  auto* control = new T(form);
  control->SetName(name);
  control->SetCaption(caption);
  control->SetParent(form);
  return control;
}

// A list of names: Add takes the edit's text, Delete in the list removes
// the selected name after asking.
struct TNamesDialog {
  TForm Form{nullptr};
  TEdit* EdtName = Make<TEdit>(&Form, "EdtName");
  TListBox* Names = Make<TListBox>(&Form, "Names");
  TButton* BtnAdd = Make<TButton>(&Form, "BtnAdd", "&Add");
  TButton* BtnOK = Make<TButton>(&Form, "BtnOK", "OK");
  TButton* BtnCancel = Make<TButton>(&Form, "BtnCancel", "Cancel");

  TNamesDialog() {
    Form.SetName("NamesDialog");
    Names->SetSorted(true);
    BtnAdd->SetDefault(true);
    BtnOK->SetModalResult(mrOk);
    BtnCancel->SetModalResult(mrCancel);
    BtnCancel->SetCancel(true);
    BtnAdd->OnClick = [this](TObject*) {
      if (EdtName->Text().empty()) {
        ShowMessage("Type a name first");
        return;
      }
      Names->Items()->Add(EdtName->Text());
      EdtName->Clear();
      EdtName->SetFocus();
    };
    Names->OnKeyDown = [this](TObject*, Windows::WORD& key, TShiftState) {
      if (key != VK_DELETE || Names->ItemIndex() < 0) return;
      String name = Names->Items()->Strings(Names->ItemIndex());
      if (MessageDlg("Remove " + name + " ?", mtConfirmation, {mbYes, mbNo}, 0) == mrYes)
        Names->Items()->Delete(Names->ItemIndex());
    };
  }
};

}  // namespace

int main(int argc, char** argv) {
  try {
    TScriptedUserInterface ui;
    if (argc > 1)
      ui.AddScriptFile(argv[1]);
    else
      ui.AddScript(kScript);
    TUserInterfaceScope scope(ui);
    TNamesDialog dialog;
    TModalResult result = dialog.Form.ShowModal();
    for (const String& line : ui.Log()) std::printf("%s\n", line.c_str());
    std::printf("\nResult: %s\n", result == mrOk ? "OK" : "Cancel");
    for (int i = 0; i < dialog.Names->Items()->Count(); ++i)
      std::printf("Name:   %s\n", dialog.Names->Items()->Strings(i).c_str());
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  }
}
