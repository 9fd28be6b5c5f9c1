// Services of the design host that the translator asks about the project
// being edited.
#pragma once

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Platform {

class TToolServices {
 public:
  // The full name of the project file being edited; empty when no project is
  // open (relative names then resolve against the current directory).
  const String& GetProjectName() const { return FProjectName; }
  // Set by the design host when it opens or closes a project.
  void SetProjectName(const String& Value) { FProjectName = Value; }

 private:
  String FProjectName;
};

// The design host's tool services; exists for the program's whole life.
extern TToolServices* const ToolServices;

}  // namespace Glossmith::inline Platform
