// Services of the design host that the translator asks about the project
// being edited.
#pragma once

#include <functional>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Platform {

class TToolServices {
 public:
  // The full name of the project file being edited; empty when no project is
  // open (relative names then resolve against the current directory).
  const String& GetProjectName() const { return FProjectName; }
  // Set by the design host when it opens or closes a project.
  void SetProjectName(const String& Value) { FProjectName = Value; }

  // Tells the design host of a file that a design-time tool (the editor's
  // Save and Export) wrote, so that the host can list what was written.
  void FileWritten(const String& FileName) const {
    if (OnFileWritten) OnFileWritten(FileName);
  }
  std::function<void(const String& FileName)> OnFileWritten;

 private:
  String FProjectName;
};

// The design host's tool services; exists for the program's whole life.
extern TToolServices* const ToolServices;

}  // namespace Glossmith::inline Platform
