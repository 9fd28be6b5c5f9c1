// Replays saved inputs through a fuzz harness without libFuzzer, so that any
// compiler and sanitizer build runs the seeds and the regression inputs:
//
//   replay_<name> <folder or file>...
//
// Every regular file under each folder (recursively, in name order) is passed
// to LLVMFuzzerTestOneInput once, in one process, as libFuzzer does. A missing
// folder is skipped. Each input is named before it runs, so the last name
// printed is the one that crashed; a harness check that fails traps, and the
// signal is reported with that name too.
#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// The input being run, for the signal handler; it only reads it.
char g_current[4096] = "";

void WriteRaw(const char* s) {
  ssize_t ignored = ::write(STDERR_FILENO, s, std::strlen(s));
  (void)ignored;
}

extern "C" void OnCrash(int sig) {
  WriteRaw("\n!! replay crashed (signal ");
  WriteRaw(sig == SIGILL ? "SIGILL: a harness check failed"
           : sig == SIGABRT ? "SIGABRT"
           : sig == SIGSEGV ? "SIGSEGV"
           : sig == SIGFPE  ? "SIGFPE"
                            : "SIGBUS");
  WriteRaw(") on input ");
  WriteRaw(g_current);
  WriteRaw("\n");
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

// Reports the fatal signals that no one else handles: a sanitizer that has
// its own handler keeps it, with its fuller report.
void InstallCrashReport() {
  for (int sig : {SIGILL, SIGABRT, SIGSEGV, SIGFPE, SIGBUS}) {
    struct sigaction old {};
    if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = OnCrash;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
  }
}

std::vector<fs::path> CollectInputs(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path root = argv[i];
    std::error_code error;
    if (fs::is_regular_file(root, error)) {
      inputs.push_back(root);
    } else if (fs::is_directory(root, error)) {
      std::vector<fs::path> found;
      for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) found.push_back(entry.path());
      std::sort(found.begin(), found.end());
      inputs.insert(inputs.end(), found.begin(), found.end());
    } else {
      std::printf("-- %s: no such folder, skipped\n", root.c_str());
    }
  }
  return inputs;
}

// The bytes of a file in a buffer of exactly their size, so that a sanitizer
// sees a read past the end, as under libFuzzer.
bool Run(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "!! cannot read %s\n", path.c_str());
    return false;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::unique_ptr<uint8_t[]> data(new uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), data.get());

  std::snprintf(g_current, sizeof g_current, "%s", path.c_str());
  std::printf("run %s (%zu bytes)\n", path.c_str(), bytes.size());
  std::fflush(stdout);
  try {
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "!! replay: input %s escaped the harness with an exception: %s\n", path.c_str(),
                 e.what());
    return false;
  } catch (...) {
    std::fprintf(stderr, "!! replay: input %s escaped the harness with an exception\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder or file>...\n", argv[0]);
    return 2;
  }
  InstallCrashReport();
  const std::vector<fs::path> inputs = CollectInputs(argc, argv);
  for (const fs::path& path : inputs)
    if (!Run(path)) return 1;
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
