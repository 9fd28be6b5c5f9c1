// The user-interface service of a person at a display, which the design
// commands (edit, verb) show their dialogs with when no script is given.
//
// A front end linked into the tool installs its factory, from a static
// initialiser or from main before the command runs; the factory gives
// nullptr when it cannot show anything here (no display). Without a front
// end, or without a display, the design commands need a script.
#pragma once

#include <memory>

#include "host/platform/UserInterface.h"

namespace Glossmith::Tool {

using TInteractiveFactory = std::unique_ptr<TUserInterface> (*)();

// Installs the front end's factory; nullptr removes it.
void SetInteractiveFactory(TInteractiveFactory factory);
// The front end's service, or nullptr when there is no front end or it
// cannot show anything here.
std::unique_ptr<TUserInterface> CreateInteractiveUserInterface();

}  // namespace Glossmith::Tool
