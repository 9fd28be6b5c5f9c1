// Dictionaries: lines  escaped original TAB escaped translation, with no
// reference to forms, so that translations made once can be reused.
#include "gls/FileMerge.h"
#include "gls/Diagnostics.h"
#include "gls/Gls.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"

namespace Glossmith::inline Gls {

using namespace glsstorage;

String TGlossmith::WriteString(const String& S) {
  String result;
  result.reserve(S.size() + S.size() / 8);
  for (char c : S) {
    switch (c) {
      case '\\':
        result += "\\\\";
        break;
      case '\n':
        result += "\\n";
        break;
      case '\r':
        result += "\\r";
        break;
      case '\t':
        result += "\\t";
        break;
      default:
        result += c;
    }
  }
  return result;
}

String TGlossmith::ReadString(const String& S) {
  String result;
  result.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\\' && i + 1 < S.size()) {
      char next = S[i + 1];
      char plain = next == '\\'  ? '\\'
                   : next == 'n' ? '\n'
                   : next == 'r' ? '\r'
                   : next == 't' ? '\t'
                                 : 0;
      if (plain) {
        result += plain;
        ++i;
        continue;
      }
    }
    result += S[i];
  }
  return result;
}

void TGlossmith::TranslateTo(const String& FileName) {
  const std::vector<String> current = SortedCurrentValues(*this);
  TDiagnosticFile diagnosticFile(FileName);
  TFileLock lock(FileName);
  const String latest = LatestVersion(FileName);
  TTextLines file;
  if (FileExists(latest)) file.LoadFromFile(latest);
  TLineOverlay lines = MergeExportedLines(std::move(file.Lines()), current, *FTranslations);
  TAtomicFileWriter out(FileName);
  lines.ForEach([&out](std::string_view line) {
    out.Write(line);
    out.Write("\r\n");
  });
  out.Commit();
}

bool TGlossmith::TranslateFrom(const String& FileName) {
  if (!FileExists(FileName)) return false;
  // Read as a stream, but a file without line ends would still be one
  // line held whole.
  CheckInputSize(FileName);
  TFileStream stream(FileName, fmOpenRead);
  TDictionaryImport import(SortedCurrentValues(*this), *FTranslations);
  if (import.Empty()) return true;

  // A carriage return or a line feed ends a line; the last line counts at the
  // end of the file whether or not it has an end.
  String pending;
  char buffer[1 << 16];
  for (;;) {
    Int64 n = stream.Read(buffer, sizeof buffer);
    if (n <= 0) break;
    std::string_view chunk(buffer, static_cast<size_t>(n));
    size_t start = 0;
    for (;;) {
      size_t end = FindFirstOf(chunk, "\r\n", start);
      if (end == std::string_view::npos) {
        pending.append(chunk.substr(start));
        break;
      }
      if (pending.empty()) {
        import.Line(chunk.substr(start, end - start));
      } else {
        pending.append(chunk.substr(start, end - start));
        import.Line(pending);
        pending.clear();
      }
      start = end + 1;
    }
  }
  import.Line(pending);
  return true;
}

}  // namespace Glossmith::inline Gls
