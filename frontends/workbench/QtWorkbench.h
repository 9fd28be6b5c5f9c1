// The translator's workbench in a window of the Qt front end: the forms in
// the live preview beside a panel of their texts. Nothing here names a Qt
// type, so that a program includes this header and links
// Glossmith::qt_workbench whether or not the build found Qt; the window
// itself is in WorkbenchWindow.h.
#pragma once

#include "workbench/Workbench.h"

namespace Glossmith::inline QtFrontEnd {

// Whether this build has the window (Qt 6 Widgets was found).
bool QtWorkbenchBuilt();

struct TWorkbenchWindowOptions {
  // Suggestions shown from this match up, in per cent.
  int MinPercent = 75;
  // The text selected first, by its path (the form's name first, as in
  // "MainForm.Button1.Caption", or without it for the first form); empty:
  // the first text to do.
  String Select;
};

// Shows the workbench in a window and runs until the window closes (quitting
// with unsaved translations asks first). Needs the Qt service active
// (UseQtUserInterfaceIfAvailable); raises EInvalidOperation otherwise.
void RunWorkbenchWindow(TWorkbench& bench, const TWorkbenchWindowOptions& options = {});
// Renders the window as it first shows into a PNG file; raises EFCreateError when the file cannot
// be written.
void SaveWorkbenchScreenshot(TWorkbench& bench, const String& fileName,
                             const TWorkbenchWindowOptions& options = {});

}  // namespace Glossmith::inline QtFrontEnd
