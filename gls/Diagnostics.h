// Warnings that the translator's operations find on their way and go on
// after: a value cut to fit a line of a file, a key given twice in a
// translation file, settings that could not be kept. Each names its place.
//
// A warning goes to the handler of the innermost TDiagnosticScope of the
// thread (the gls tool prints them; a checking command can collect them);
// without a scope it is dropped, for no result depends on it.
#pragma once

#include <functional>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Gls {

enum class TDiagnosticKind {
  ValueCut,         // a value longer than a file line holds was cut
  DuplicateKey,     // a translation file gives one path twice; the later line wins
  SettingsNotSaved  // the user's settings could not be written
};

struct TDiagnostic {
  TDiagnosticKind Kind = TDiagnosticKind::ValueCut;
  String FileName;  // the file read or written, when there is one
  int Line = 0;     // its line, when the diagnostic has one (from 1)
  String Path;      // the property path concerned, when there is one
  String Message;   // what happened, without the place

  // The place and the message: "FILE, line N: PATH: MESSAGE", leaving out
  // what is not known.
  String Text() const;
};

using TDiagnosticHandler = std::function<void(const TDiagnostic&)>;

// Sends the diagnostics reported on this thread to `handler` for the
// scope's lifetime; the scope that was in force before comes back after.
class TDiagnosticScope {
 public:
  explicit TDiagnosticScope(TDiagnosticHandler handler);
  ~TDiagnosticScope();
  TDiagnosticScope(const TDiagnosticScope&) = delete;
  TDiagnosticScope& operator=(const TDiagnosticScope&) = delete;

 private:
  TDiagnosticHandler FHandler;
  TDiagnosticScope* FOuter;
  friend void ReportDiagnostic(const TDiagnostic& Diagnostic);
};

// Names the file that the diagnostics reported without a file name concern,
// for the scope's lifetime: the file an operation is writing, whose lines are
// made by routines that do not know its name.
class TDiagnosticFile {
 public:
  explicit TDiagnosticFile(String FileName);
  ~TDiagnosticFile();
  TDiagnosticFile(const TDiagnosticFile&) = delete;
  TDiagnosticFile& operator=(const TDiagnosticFile&) = delete;

 private:
  String FFileName;
  TDiagnosticFile* FOuter;
  friend void ReportDiagnostic(const TDiagnostic& Diagnostic);
};

void ReportDiagnostic(const TDiagnostic& Diagnostic);

// A value about to be written into a line of a file is longer than
// MaxValueLength and is cut: `What` says which value ("the value", "the
// original text").
void ReportValueCut(std::string_view Path, size_t Length, std::string_view What = "the value");

}  // namespace Glossmith::inline Gls
