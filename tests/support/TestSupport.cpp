#include "support/TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {

TempDir::TempDir() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    FPath = base / ("gls-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(FPath)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  // Restore write permission that a test may have taken away before removing.
  std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(FPath, ec);
}

String ReadFile(const String& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const String& fileName, const String& data) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

String DataDir() { return GLS_TEST_DATA_DIR; }

String CorpusDir() {
  std::filesystem::path dir =
      std::filesystem::path(GLS_SOURCE_DIR) / ".." / "shared" / "corpus" / "forms";
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return String();
  return std::filesystem::canonical(dir, ec).string();
}

}  // namespace testsupport
