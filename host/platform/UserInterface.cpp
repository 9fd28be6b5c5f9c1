#include "host/platform/UserInterface.h"

#include "host/platform/Windows.h"

namespace Glossmith::inline Platform {

namespace {

// Nobody is present: nothing can be shown modally, and every question is
// answered as a person who closes it without choosing would answer.
class THeadlessUserInterface final : public TUserInterface {
 public:
  void RunModal(TComponent* form, const std::function<bool()>&) override {
    String name = form ? form->Name() : String();
    if (name.empty() && form) name = form->ClassName();
    throw EInvalidOperation(Format("No user interface to show %s modally", {name}));
  }
  Integer MessageBox(const TMessageRequest& request) override {
    // The modal results of the control layer: mrCancel, mrNo, mrOk.
    if (request.Buttons.Contains(mbCancel)) return 2;
    if (request.Buttons.Contains(mbNo)) return 7;
    return 1;
  }
  bool InputQuery(TInputRequest&) override { return false; }
  bool FileDialog(TFileDialogRequest&) override { return false; }
  bool FontDialog(TFontData&) override { return false; }
};

THeadlessUserInterface& Headless() {
  static THeadlessUserInterface headless;
  return headless;
}

TUserInterface*& Active() {
  static TUserInterface* active = nullptr;
  return active;
}

}  // namespace

TUserInterface::~TUserInterface() {
  if (Active() == this) Active() = nullptr;
}

void TUserInterface::CursorChanged(Integer) {}
void TUserInterface::HintShown(TComponent*, const String&) {}
void TUserInterface::HintCancelled() {}

bool TUserInterface::HandlesRightToLeftInput() const {
  Windows::UINT codePage = Windows::GetACP();
  return codePage == 1255 || codePage == 1256;
}

TUserInterface& UserInterface() { return Active() ? *Active() : Headless(); }

void SetUserInterface(TUserInterface* ui) { Active() = ui == &Headless() ? nullptr : ui; }

TUserInterfaceScope::TUserInterfaceScope(TUserInterface& ui) : FPrevious(&UserInterface()) {
  SetUserInterface(&ui);
}

TUserInterfaceScope::~TUserInterfaceScope() { SetUserInterface(FPrevious); }

}  // namespace Glossmith::inline Platform
