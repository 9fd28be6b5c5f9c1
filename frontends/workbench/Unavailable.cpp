// The workbench's window in a build without Qt: it is not there.
#include "frontends/workbench/QtWorkbench.h"

namespace Glossmith::inline QtFrontEnd {

bool QtWorkbenchBuilt() { return false; }

void RunWorkbenchWindow(TWorkbench&, const TWorkbenchWindowOptions&) {
  throw EInvalidOperation("This build has no Qt front end: Qt 6 Widgets was not found");
}

void SaveWorkbenchScreenshot(TWorkbench&, const String&, const TWorkbenchWindowOptions&) {
  throw EInvalidOperation("This build has no Qt front end: Qt 6 Widgets was not found");
}

}  // namespace Glossmith::inline QtFrontEnd
