// The gls commands. Each takes its arguments (after the command's name) and
// writes its results to `out` and its notes to `err`; it returns the exit
// status, or raises EUsageError or EToolError.
#pragma once

#include <iosfwd>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::Tool {

struct TCommandIO {
  std::ostream& Out;
  std::ostream& Err;
  bool ErrIsTerminal = false;
  // -v: every file a command writes is listed on Err, one name a line.
  bool Verbose = false;
  // Notes that a file was written (listed once, with -v).
  void Wrote(const String& fileName);
  std::vector<String> Written;
};

using TCommand = int (*)(const std::vector<String>& args, TCommandIO& io);

struct TCommandInfo {
  const char* Name;
  TCommand Run;
  const char* Synopsis;
  const char* Help;
};

// The commands, in the order the usage lists them.
const std::vector<TCommandInfo>& Commands();
const TCommandInfo* FindCommand(const String& name);
void PrintUsage(std::ostream& out);
void PrintCommandHelp(const TCommandInfo& command, std::ostream& out);

int RunDemo(const std::vector<String>& args, TCommandIO& io);
// gls check (CheckCommands.cpp).
int RunCheck(const std::vector<String>& args, TCommandIO& io);
// gls preview (Preview.cpp).
int RunPreview(const std::vector<String>& args, TCommandIO& io);
// gls workbench (WorkbenchCommand.cpp).
int RunWorkbench(const std::vector<String>& args, TCommandIO& io);

// The design host's commands (DesignCommands.cpp).
// The exchange with translators' tools (ExchangeCommands.cpp).
extern const TCommandInfo PoCommand, XliffCommand;

extern const TCommandInfo EditCommand, InspectCommand, VerbsCommand, VerbCommand, PaletteCommand;

}  // namespace Glossmith::Tool
