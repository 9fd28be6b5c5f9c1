// Running the peers of the exchange formats (gettext, Translate Toolkit,
// xmllint) from tests.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace exchangetest {

// Whether a program is on the PATH.
inline bool HasProgram(const std::string& name) {
  return std::system(("command -v '" + name + "' >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its exit status (-1 when it did not exit).
inline int Run(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a shell command and gives what it wrote on standard output and error.
inline std::string Output(const std::string& command, int* status = nullptr) {
  std::string out;
  if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    int s = ::pclose(pipe);
    if (status) *status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  }
  return out;
}

// The XLIFF 1.2 strict schema beside the project, or empty.
inline std::string XliffSchema() {
  std::string file = std::string(GLS_SOURCE_DIR) + "/../shared/schemas/xliff-core-1.2-strict.xsd";
  if (FILE* f = std::fopen(file.c_str(), "r")) {
    std::fclose(f);
    return file;
  }
  return std::string();
}

}  // namespace exchangetest
