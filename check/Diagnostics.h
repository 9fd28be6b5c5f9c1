// What the checks of translations find: one diagnostic per finding, the
// checks by name with what each finds, and which of them run.
#pragma once

#include <set>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Check {

enum class TSeverity { Warning, Error };

const char* SeverityName(TSeverity severity);

// One finding. File and Line are where the entry is kept: the translation
// file's line, or the form file's line for a list kept in the form (0 when
// not known). Original and Translation are plain texts, decoded from their
// literal form when they have one.
struct TDiagnostic {
  String File;
  int Line = 0;
  TSeverity Severity = TSeverity::Warning;
  String Check;
  String Form;
  Integer Locale = 0;
  String Path;
  String Original;
  String Translation;
  String Message;
};

struct TCheckInfo {
  const char* Name;
  TSeverity Severity;
  // One sentence: what the check finds.
  const char* Description;
};

// Every check, in the order gls check --list shows them.
const std::vector<TCheckInfo>& AllChecks();
const TCheckInfo* FindCheck(std::string_view name);

// Which checks run: all of them but those skipped, or only those named.
class TCheckSelection {
 public:
  TCheckSelection() = default;
  // Comma-separated names; raises EConvertError naming an unknown check.
  void Only(std::string_view names);
  void Skip(std::string_view names);
  // Only the checks of error severity (what writing commands refuse).
  static TCheckSelection ErrorsOnly();
  bool Runs(std::string_view name) const;

 private:
  static std::set<String> Parse(std::string_view names);
  std::set<String> FOnly;
  std::set<String> FSkip;
  bool FErrorsOnly = false;
};

// "FILE:LINE: warning: PATH: MESSAGE [check]", the line compilers and editors read.
String FormatDiagnostic(const TDiagnostic& d);
// The diagnostics as a JSON array, one object a diagnostic.
String DiagnosticsToJson(const std::vector<TDiagnostic>& diagnostics);
// A JSON string literal of `text`; bytes that are not UTF-8 become U+FFFD.
String JsonString(std::string_view text);

// Orders diagnostics by file, line, then check name (stable otherwise).
void SortDiagnostics(std::vector<TDiagnostic>& diagnostics);

}  // namespace Glossmith::inline Check
