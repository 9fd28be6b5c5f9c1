// A program of another project that uses the installed or embedded package:
// it reads a form whose classes it never names (so their registration must
// have been linked), switches its translator on and prints the caption.
#include <iostream>

#include "gls/Gls.h"
#include "host/controls/StdCtrls.h"
#include "host/formfiles/FormFiles.h"

int OwnHostLibrary();  // the consumer's own target named "host"

int main() {
  const char* form =
      "object MainForm: TMainForm\r\n"
      "  object Button1: TButton\r\n"
      "    Caption = '&Close'\r\n"
      "  end\r\n"
      "  object TranslatorFrench: TGlossmith\r\n"
      "    Locale = 12\r\n"
      "    Translations.Strings = (\r\n"
      "      'Button1.Caption=''&Fermer''')\r\n"
      "    Storage = 0\r\n"
      "  end\r\n"
      "end\r\n";
  try {
    std::unique_ptr<Glossmith::TComponent> root(Glossmith::ReadFormFromString(form));
    auto* translator = dynamic_cast<Glossmith::TGlossmith*>(root->FindComponent("TranslatorFrench"));
    auto* button = dynamic_cast<Glossmith::TButton*>(root->FindComponent("Button1"));
    if (!translator || !button) {
      std::cerr << "the form's classes were not found by name\n";
      return 1;
    }
    translator->SetTranslate(true);
    std::cout << button->Caption() << " " << OwnHostLibrary() << "\n";
    return button->Caption() == "&Fermer" ? 0 : 1;
  } catch (const Glossmith::Exception& e) {
    std::cerr << e.Message() << "\n";
    return 1;
  }
}
