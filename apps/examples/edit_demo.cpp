// Opens the translations editor on the bundled example's main form twice,
// with a short script acting as the developer would, and prints each
// resulting list:
//   1. the French translator: remove one property, add another and type its
//      translation, press OK;
//   2. the German translator, its list emptied: choose the common properties
//      in the form browser, include them, translate them from the example's
//      German dictionary, press OK.
//
//   edit_demo [EXAMPLES_FOLDER]     (default: the source tree's examples)
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

const char* const FrenchScript = R"(# as a developer would use the dialog
click-item PropList 0        # the first property to translate
key Delete                   # remove it...
answer yes                   # ...after the question
click BtnNew                 # add a property by its path
input "ButtonClose.Hint"
focus EdtTranslation         # the memo of the new, current property
type "Ferme le carnet"       # its translation, typed into the memo
click BtnOK                  # leaving the memo stores it; OK commits
)";

const char* const GermanScript = R"(# the form browser and the dictionary
answer no                    # do not start from the French list
select-page FormNotebook 4   # Form: the browser of every property
click BtnSelect              # choose the common properties (captions, hints, items...)
click BtnIncludeProp         # include them in the translation list
select-page FormNotebook 5   # Dictionary
click BtnTranslate
file "DICTIONARY"            # translate them from the example's dictionary
click BtnOK
)";

// Runs the editor on one translator under a script; prints what happened
// and the list it leaves.
void Edit(TGlossmith* translator, const String& script) {
  TScriptedUserInterface person;
  person.AddScript(script);
  const bool ok = [&] {
    TUserInterfaceScope scope(person);
    return translator->ShowEditor();
  }();
  std::cout << "== " << translator->Name() << "\n";
  for (const String& step : person.Log()) std::cout << "  " << step << "\n";
  std::cout << (ok ? "OK: the list is now\n" : "Cancelled; the list is\n");
  for (int i = 0; i < translator->Translations()->Count(); ++i)
    std::cout << "  " << translator->Translations()->Strings(i) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path examples = argc > 1 ? fs::path(argv[1]) : fs::path(GLS_EXAMPLES_DIR);
  const fs::path settings = fs::temp_directory_path() / ("edit-demo-" + std::to_string(getpid()));
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  int status = 0;
  try {
    // The form's translators find their translation file beside the form.
    Application->SetExeName((fs::absolute(examples) / "application").string());
    std::unique_ptr<TComponent> form(LoadFormFromFile((examples / "MainForm.dfm").string()));
    auto translator = [&](const char* name) {
      auto* t = dynamic_cast<TGlossmith*>(form->FindComponent(name));
      if (!t) throw Exception(String("The form has no translator ") + name);
      return t;
    };
    Edit(translator("TranslatorFrench"), FrenchScript);
    TGlossmith* german = translator("TranslatorGerman");
    german->Translations()->Clear();
    String script = GermanScript;
    script.replace(script.find("DICTIONARY"), 10, (examples / "dictionary.txt").string());
    Edit(german, script);
  } catch (const Exception& e) {
    std::cerr << "edit_demo: " << e.Message() << "\n";
    status = 1;
  }
  std::error_code ec;
  fs::remove_all(settings, ec);
  return status;
}
