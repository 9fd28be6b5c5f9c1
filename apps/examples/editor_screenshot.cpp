// Renders the translations editor as a developer sees it at work, for the
// README: opened on the bundled example's main form for its French
// translator, every translated property listed, the current one showing its
// original text and its translation. It uses the Qt front end without a
// display (Qt's offscreen platform):
//
//   editor_screenshot OUT.png [EXAMPLES_FOLDER]   (default: the source tree's examples)
//
// The editor's settings go to a temporary folder, so that the user's own
// fonts and choices do not change the picture.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "frontends/qt/QtFrontEnd.h"
#include "gls/Gls.h"
#include "glsedit/GlsEdit.h"
#include "host/controls/Forms.h"

using namespace Glossmith;

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 2) {
    std::cerr << "usage: editor_screenshot OUT.png [EXAMPLES_FOLDER]\n";
    return 2;
  }
  const String out = argv[1];
  const fs::path examples = argc > 2 ? fs::path(argv[2]) : fs::path(GLS_EXAMPLES_DIR);
  const fs::path settings =
      fs::temp_directory_path() / ("editor-screenshot-" + std::to_string(getpid()));
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  if (!UseQtUserInterfaceIfAvailable({.Offscreen = true})) {
    std::cerr << "editor_screenshot: built without the Qt front end\n";
    return 1;
  }
  int status = 0;
  try {
    // The form's translators find their translation file beside the form.
    Application->SetExeName((fs::absolute(examples) / "application").string());
    std::unique_ptr<TComponent> form(LoadFormFromFile((examples / "MainForm.dfm").string()));
    auto* french = dynamic_cast<TGlossmith*>(form->FindComponent("TranslatorFrench"));
    if (!french) throw Exception("The form has no translator TranslatorFrench");
    auto editor = std::make_unique<TFormEditor>(nullptr);
    editor->SetTranslator(french);
    {
      TFormWindows windows;
      windows.Show(editor.get());  // OnShow fills the pages
      const int item = editor->PropList->Items()->IndexOf("ButtonClose.Caption");
      if (item < 0) throw Exception("The French list has no ButtonClose.Caption");
      editor->PropList->ClickItem(item);
      editor->EdtTranslation->SetFocus();
      windows.SaveScreenshot(editor.get(), out);
      editor->Hide();
    }
  } catch (const Exception& e) {
    std::cerr << "editor_screenshot: " << e.Message() << "\n";
    status = 1;
  }
  CloseQtUserInterface();
  std::error_code ec;
  fs::remove_all(settings, ec);
  return status;
}
