// Helpers shared by the test suites: temporary folders, test data and the
// shared corpus of real form files.
#pragma once

#include <filesystem>
#include <string>

#include "host/rtl/SysUtils.h"

namespace testsupport {

// A fresh, empty folder that is removed with everything in it when the
// object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  // The full name of a file in the folder.
  String File(const String& name) const { return (FPath / name).string(); }

 private:
  std::filesystem::path FPath;
};

String ReadFile(const String& fileName);
void WriteFile(const String& fileName, const String& data);

// The folder of the project's small test files (tests/data).
String DataDir();
// The folder of real form files shared beside the project
// (../shared/corpus/forms), or empty when it is not there.
String CorpusDir();

}  // namespace testsupport

// Skips the current test, saying why, when the shared corpus is absent.
#define GLS_REQUIRE_CORPUS(dir)                \
  const String dir = testsupport::CorpusDir(); \
  if (dir.empty())                             \
  GTEST_SKIP() << "the shared corpus (../shared/corpus/forms) is not beside this clone"
