// gls preview: forms in real windows through the Qt front end, with a
// Language menu that switches their translators as the application would.
#include <memory>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "LanguageMenu.h"
#include "frontends/qt/QtFrontEnd.h"

namespace Glossmith::Tool {

int RunPreview(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args,
                   {{"--locale", true}, {"--screenshot", true}, {"-v", false}, {"--help", false}});
  if (cmd.Operands().empty()) throw EUsageError("missing FORM");
  const String screenshot = cmd.Value("--screenshot");
  if (cmd.Has("--screenshot") && screenshot.empty()) throw EUsageError("missing --screenshot FILE");
  if (!screenshot.empty() && cmd.Operands().size() > 1)
    throw EUsageError("--screenshot takes one FORM");
  if (cmd.Has("-v")) io.Verbose = true;
  Integer locale = 0;
  const bool chooseLocale = cmd.IntValue("--locale", locale);

  if (!QtFrontEndBuilt())
    throw EToolError("this gls was built without the Qt front end (Qt 6 Widgets was not found)");
  TQtStartOptions options;
  options.Offscreen = !screenshot.empty();
  if (!UseQtUserInterfaceIfAvailable(options))
    throw EToolError(
        "no display to show the form on (DISPLAY is not set); --screenshot FILE renders without "
        "one");
  // Qt ends before the program does, after the forms and their windows.
  struct TQtEnd {
    ~TQtEnd() { CloseQtUserInterface(); }
  } qtEnd;

  struct TOpenForm {
    std::unique_ptr<TComponent> Root;
    std::unique_ptr<TLanguageMenu> Menu;
    std::unique_ptr<TLanguageMenu::TRegistration> Registration;
  };
  std::vector<TOpenForm> forms;
  for (const String& file : cmd.Operands()) {
    TOpenForm open;
    try {
      open.Root.reset(LoadPreviewForm(file));
    } catch (const Exception& e) {
      throw EToolError(file + ": " + e.Message());
    }
    if (!dynamic_cast<TCustomForm*>(open.Root.get()))
      throw EToolError(file + ": " + open.Root->ClassName() + " is not a form");
    open.Menu = std::make_unique<TLanguageMenu>(open.Root.get());
    open.Registration = std::make_unique<TLanguageMenu::TRegistration>(open.Menu.get());
    forms.push_back(std::move(open));
  }
  if (chooseLocale) {
    TGlossmith* chosen = nullptr;
    for (const TOpenForm& f : forms)
      for (int i = 0; i < f.Root->ComponentCount() && !chosen; ++i)
        if (auto* t = dynamic_cast<TGlossmith*>(f.Root->Components(i)); t && t->Locale() == locale)
          chosen = t;
    if (!chosen)
      throw EToolError(cmd.Operands()[0] + ": no translator with Locale " + IntToStr(locale));
    try {
      forms.front().Menu->Choose(chosen);
    } catch (const Exception& e) {
      throw EToolError(cmd.Operands()[0] + ": " + e.Message());
    }
  }

  TFormWindows windows;
  for (const TOpenForm& f : forms)
    windows.Show(static_cast<TCustomForm*>(f.Root.get()), {f.Menu->Root()});
  if (!screenshot.empty()) {
    try {
      windows.SaveScreenshot(static_cast<TCustomForm*>(forms.front().Root.get()), screenshot);
    } catch (const Exception& e) {
      throw EToolError(screenshot + ": " + e.Message());
    }
    io.Wrote(screenshot);
    return 0;
  }
  windows.Exec();
  return 0;
}

}  // namespace Glossmith::Tool
