// The front end's tests run under Qt's offscreen platform, with the Qt
// service active as the tools make it active.
#include <gtest/gtest.h>

#include "frontends/qt/QtFrontEnd.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  Glossmith::TQtStartOptions options;
  options.Offscreen = true;
  if (!Glossmith::UseQtUserInterfaceIfAvailable(options)) return 1;
  const int status = RUN_ALL_TESTS();
  Glossmith::CloseQtUserInterface();
  return status;
}
