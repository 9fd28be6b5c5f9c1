// gls: translate, extract, save, load and reuse the translations of form files.
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "CommandLine.h"
#include "Commands.h"
#include "EditAdvice.h"
#include "FormDocument.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/classes/FileLock.h"

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
  std::vector<String> rest(args.begin() + 1, args.end());
  for (const String& a : rest)
    if (a == "--help") {
      PrintCommandHelp(*command, std::cout);
      return 0;
    }
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
