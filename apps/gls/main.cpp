// gls: translate, extract, save, load and reuse the translations of form files.
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <set>

#include "CommandLine.h"
#include "Commands.h"
#include "EditAdvice.h"
#include "FormDocument.h"
#include "gls/Diagnostics.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"

using namespace Glossmith::Tool;

int main(int argc, char** argv) {
  std::vector<String> args(argv + 1, argv + argc);
  TCommandIO io{std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0, false, {}};
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "--version") {
    std::cout << "gls " << GLS_VERSION << "\n";
    return 0;
  }
  const TCommandInfo* command = FindCommand(args[0]);
  if (!command) {
    std::cerr << "gls: unknown command '" << args[0] << "'\n\n";
    PrintUsage(std::cerr);
    return 2;
  }
  // How long a shared file's lock is waited for, in seconds.
  if (const char* wait = std::getenv("GLS_LOCK_WAIT")) {
    double seconds = 0;
    if (!TryStrToFloat(wait, seconds) || !(seconds >= 0 && seconds <= 86400)) {
      std::cerr << "gls: GLS_LOCK_WAIT must be a number of seconds, not '" << wait << "'\n";
      return 2;
    }
    TFileLock::SetDefaultWait(std::chrono::milliseconds(static_cast<long long>(seconds * 1000)));
  }
  // The editor dialog's translation memo tells of what the checks find as
  // a person types (in the Qt front end).
  SetEditAdvisor(TranslationAdvice);
  // The largest input file read whole: --max-input-size on any command,
  // else GLS_MAX_INPUT_SIZE, else the default.
  if (const char* size = std::getenv("GLS_MAX_INPUT_SIZE"); size && *size) {
    try {
      SetMaxInputSize(ParseInputSize(size));
    } catch (const EConvertError& e) {
      std::cerr << "gls: GLS_MAX_INPUT_SIZE: " << e.Message() << "\n";
      return 2;
    }
  }
  std::vector<String> rest;
  for (size_t i = 1; i < args.size(); ++i) {
    const String& a = args[i];
    if (a == "--") {
      rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
      break;
    }
    if (a != "--max-input-size" && !a.starts_with("--max-input-size=")) {
      rest.push_back(a);
      continue;
    }
    String value;
    if (a.size() > 16)
      value = a.substr(17);
    else if (i + 1 < args.size())
      value = args[++i];
    try {
      SetMaxInputSize(ParseInputSize(value));
    } catch (const EConvertError& e) {
      std::cerr << "gls " << command->Name << ": --max-input-size: " << e.Message() << "\n";
      return 2;
    }
  }
  for (const String& a : rest)
    if (a == "--help") {
      PrintCommandHelp(*command, std::cout);
      return 0;
    }
  // Warnings are printed as they are found, each once; the command goes on.
  std::set<String> warned;
  TDiagnosticScope warnings([&warned](const TDiagnostic& d) {
    if (warned.insert(d.Text()).second) std::cerr << "gls: warning: " << d.Text() << "\n";
  });
  try {
    int status = command->Run(rest, io);
    std::cout.flush();
    return status;
  } catch (const EUsageError& e) {
    std::cerr << "gls " << command->Name << ": " << e.Message() << "\n\n";
    PrintCommandHelp(*command, std::cerr);
    return 2;
  } catch (const Exception& e) {
    std::cerr << "gls: " << e.Message() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "gls: " << e.what() << "\n";
    return 1;
  }
}
