// The front end of a build without Qt: it is not there, and the tools keep
// the user interface they have.
#include "frontends/qt/QtFrontEnd.h"

namespace Glossmith::inline QtFrontEnd {

bool QtFrontEndBuilt() { return false; }
bool DisplayAvailable() { return false; }
bool UseQtUserInterfaceIfAvailable(const TQtStartOptions&) { return false; }
void CloseQtUserInterface() {}
bool StartQtTextMetrics() { return false; }
void SetEditAdvisor(TEditAdvisor) {}
const TEditAdvisor& EditAdvisor() {
  static const TEditAdvisor none;
  return none;
}
double QtTextWidth(const TFont&, std::string_view) { return 0; }
double QtLineHeight(const TFont&) { return 0; }
String QtFontFamily(const TFont& font) { return font.Name(); }

struct TFormWindows::TImpl {};

TFormWindows::TFormWindows() {
  throw EInvalidOperation("This build has no Qt front end: Qt 6 Widgets was not found");
}
TFormWindows::~TFormWindows() = default;
void TFormWindows::Show(TCustomForm*, const std::vector<TMenuItem*>&) {}
void TFormWindows::SaveScreenshot(TCustomForm*, const String&) {}
void TFormWindows::Exec() {}

}  // namespace Glossmith::inline QtFrontEnd
