// A design host of another project: it finds the package's design part,
// registers the package, reads a form as a designer shows it, runs the
// translator's first verb (the translations editor) under a script that
// adds a translation, and prints the verbs and the list the editor left.
#include <stdlib.h>

#include <filesystem>
#include <iostream>

#include "design/GlsReg.h"
#include "gls/Gls.h"
#include "host/controls/Forms.h"
#include "host/controls/ScriptedUserInterface.h"
#include "host/formfiles/FormFiles.h"

int main() {
  namespace gls = Glossmith;
  // The editor keeps its settings in a folder of this run's own.
  char settings[] = "/tmp/glossmith-consumer-XXXXXX";
  if (!::mkdtemp(settings)) return 1;
  ::setenv("XDG_CONFIG_HOME", settings, 1);
  const char* form =
      "object MainForm: TMainForm\r\n"
      "  Caption = 'Main'\r\n"
      "  object Button1: TButton\r\n"
      "    Caption = '&Close'\r\n"
      "  end\r\n"
      "  object TranslatorFrench: TGlossmith\r\n"
      "    Locale = 12\r\n"
      "    Translations.Strings = (\r\n"
      "      'Button1.Caption=''&Fermer''')\r\n"
      "  end\r\n"
      "end\r\n";
  int status = 1;
  try {
    gls::Register();
    std::unique_ptr<gls::TComponent> root(gls::ReadFormForDesigning(form, gls::Application));
    gls::TFormDesigner designer(root.get());
    auto* translator = dynamic_cast<gls::TGlossmith*>(root->FindComponent("TranslatorFrench"));
    if (!translator) throw gls::Exception("the form's translator was not found by name");
    auto editor = gls::GetComponentEditor(translator, &designer);
    for (int i = 0; i < editor->GetVerbCount(); ++i)
      std::cout << "verb " << i << ": " << editor->GetVerb(i) << "\n";
    gls::TScriptedUserInterface person;
    person.AddScript(
        "click BtnNew\n"
        "input \"Caption\"\n"
        "focus EdtTranslation\n"
        "type \"Principal\"\n"
        "click BtnOK\n");
    {
      gls::TUserInterfaceScope scope(person);
      editor->ExecuteVerb(0);
    }
    for (int i = 0; i < translator->Translations()->Count(); ++i)
      std::cout << translator->Translations()->Strings(i) << "\n";
    status = designer.IsModified() && translator->Translations()->Count() == 2 ? 0 : 1;
  } catch (const gls::Exception& e) {
    std::cerr << e.Message() << "\n";
  }
  std::error_code ec;
  std::filesystem::remove_all(settings, ec);
  return status;
}
