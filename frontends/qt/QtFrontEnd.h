// The Qt front end as the tools see it: whether it is there, making it the
// active user interface, and showing forms in windows of their own. Nothing
// here names a Qt type, so that a program includes this header and links
// Glossmith::qt_frontend whether or not the build found Qt: without Qt the
// library answers that the front end is not there.
//
// The Qt-level parts (the widget tree of a form, the service itself) are in
// FormView.h and QtUserInterface.h, for programs and tests that use Qt
// directly.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/controls/Forms.h"

namespace Glossmith::inline QtFrontEnd {

// Whether this build has the Qt front end (Qt 6 Widgets was found).
bool QtFrontEndBuilt();

struct TQtStartOptions {
  // Render without a display (Qt's offscreen platform): windows are laid
  // out and painted in memory, for screenshots and tests.
  bool Offscreen = false;
};

// Whether a window can be shown: a display is named in the environment
// (DISPLAY, WAYLAND_DISPLAY) or a Qt platform is chosen (QT_QPA_PLATFORM).
bool DisplayAvailable();

// The hook for the tools: when the front end is built and a display is
// there, or `options` ask for offscreen rendering, starts Qt (once per
// process) and makes the Qt user-interface service the active one for the
// rest of the program; true then. Otherwise nothing changes and the answer
// is false, so that the caller keeps the service it had (the headless
// default or a script).
bool UseQtUserInterfaceIfAvailable(const TQtStartOptions& options = {});
// Ends what UseQtUserInterfaceIfAvailable started: the windows close, the
// headless default is active again, and Qt ends. A program calls it before
// main returns; one that does not leaves Qt to the end of the process.
void CloseQtUserInterface();

// Text metrics of the fonts the preview shows host fonts in, in the form's
// pixels: for checks that measure translated texts. StartQtTextMetrics
// starts Qt without a display (its offscreen platform) when it is not
// running, and is false in a build without Qt; the others need it started.
bool StartQtTextMetrics();
double QtTextWidth(const TFont& font, std::string_view text);
double QtLineHeight(const TFont& font);
// The family a host font shows in.
String QtFontFamily(const TFont& font);

// Advice shown under a memo as its text changes, with a warning icon: the
// checks of a translation as it is typed in the editor dialog. The advisor
// gives the message for the memo's current text, or an empty text when there
// is nothing to say; it is asked after every change of the memo. One advisor
// for the program, none by default; the models never know of it.
using TEditAdvisor = std::function<String(const TControl* memo)>;
void SetEditAdvisor(TEditAdvisor advisor);
const TEditAdvisor& EditAdvisor();

// Forms shown in windows of their own, for as long as the object lives
// (gls preview). Needs the Qt service active (UseQtUserInterfaceIfAvailable);
// raises EInvalidOperation otherwise.
class TFormWindows {
 public:
  TFormWindows();
  ~TFormWindows();
  TFormWindows(const TFormWindows&) = delete;
  TFormWindows& operator=(const TFormWindows&) = delete;

  // Shows the form (TCustomForm::Show) in its window. `menus` are menus of
  // the viewer's own, shown after the form's main menu in the window's menu
  // bar; each item's caption, checks and clicks work as in the form's menu.
  // They are not owned, and must live as long as the window.
  void Show(TCustomForm* form, const std::vector<TMenuItem*>& menus = {});
  // Renders the form's client area, as it shows now, into a PNG file.
  // Raises EFCreateError when the file cannot be written.
  void SaveScreenshot(TCustomForm* form, const String& fileName);
  // Runs the event loop until every window shown here is closed (each
  // form's close handshake decides), or the application terminates.
  void Exec();

  struct TImpl;

 private:
  std::unique_ptr<TImpl> FImpl;
};

}  // namespace Glossmith::inline QtFrontEnd
