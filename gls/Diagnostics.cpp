#include "gls/Diagnostics.h"

#include "gls/Gls.h"

namespace Glossmith::inline Gls {

namespace {

thread_local TDiagnosticScope* g_scope = nullptr;
thread_local TDiagnosticFile* g_file = nullptr;

}  // namespace

String TDiagnostic::Text() const {
  String text;
  if (!FileName.empty()) text += FileName + (Line > 0 ? ", line " + IntToStr(Line) : String()) + ": ";
  if (!Path.empty()) text += Path + ": ";
  return text + Message;
}

TDiagnosticScope::TDiagnosticScope(TDiagnosticHandler handler)
    : FHandler(std::move(handler)), FOuter(g_scope) {
  g_scope = this;
}

TDiagnosticScope::~TDiagnosticScope() { g_scope = FOuter; }

TDiagnosticFile::TDiagnosticFile(String FileName)
    : FFileName(std::move(FileName)), FOuter(g_file) {
  g_file = this;
}

TDiagnosticFile::~TDiagnosticFile() { g_file = FOuter; }

void ReportDiagnostic(const TDiagnostic& Diagnostic) {
  if (!g_scope || !g_scope->FHandler) return;
  if (Diagnostic.FileName.empty() && g_file) {
    TDiagnostic placed = Diagnostic;
    placed.FileName = g_file->FFileName;
    g_scope->FHandler(placed);
    return;
  }
  g_scope->FHandler(Diagnostic);
}

void ReportValueCut(std::string_view Path, size_t Length, std::string_view What) {
  TDiagnostic d;
  d.Kind = TDiagnosticKind::ValueCut;
  d.Path = String(Path);
  d.Message = Format("%s (%d bytes) is cut to the %d bytes that a line holds",
                     {String(What), Length, MaxValueLength});
  ReportDiagnostic(d);
}

}  // namespace Glossmith::inline Gls
