// Opens the translations editor on the bundled example's main form, lets a
// short script act as the developer would (remove one property, add another
// and type its translation, press OK), and prints the resulting list.
//
//   edit_demo [FORM] [TRANSLATOR]     (default: examples/MainForm.dfm, TranslatorFrench)
//
// The editor's settings go to a temporary folder, so that the demo leaves
// the user's own settings alone.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "gls/Gls.h"
#include "glsedit/GlsEdit.h"
#include "host/controls/ScriptedUserInterface.h"

using namespace Glossmith;

namespace {

const char* const Script = R"(# as a developer would use the dialog
click-item PropList 0        # the first property to translate
key Delete                   # remove it...
answer yes                   # ...after the question
click BtnNew                 # add a property by its path
input "ButtonClose.Hint"
focus EdtTranslation         # the memo of the new, current property
type "Ferme le carnet"       # its translation, typed into the memo
click BtnOK                  # leaving the memo stores it; OK commits
)";

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path form = argc > 1 ? fs::path(argv[1]) : fs::path(GLS_EXAMPLES_DIR) / "MainForm.dfm";
  const String translatorName = argc > 2 ? argv[2] : "TranslatorFrench";
  const fs::path settings = fs::temp_directory_path() / ("edit-demo-" + std::to_string(getpid()));
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  int status = 0;
  try {
    // The form's translators find their translation file beside the form.
    Application->SetExeName((fs::absolute(form).parent_path() / "application").string());
    std::unique_ptr<TComponent> root(LoadFormFromFile(form.string()));
    auto* translator = dynamic_cast<TGlossmith*>(root->FindComponent(translatorName));
    if (!translator) throw Exception("The form has no translator " + translatorName);

    TScriptedUserInterface person;
    person.AddScript(Script);
    SetUserInterface(&person);
    const bool ok = translator->ShowEditor();
    SetUserInterface(nullptr);

    for (const String& step : person.Log()) std::cout << "  " << step << "\n";
    std::cout << (ok ? "OK: the translator's list is now\n" : "Cancelled; the list is\n");
    for (int i = 0; i < translator->Translations()->Count(); ++i)
      std::cout << translator->Translations()->Strings(i) << "\n";
  } catch (const Exception& e) {
    std::cerr << "edit_demo: " << e.Message() << "\n";
    status = 1;
  }
  std::error_code ec;
  fs::remove_all(settings, ec);
  return status;
}
