#include "Intake.h"

#include "gls/StorageSupport.h"

namespace Glossmith::Tool {

std::vector<TDiagnostic> IntakeErrors(const TFormDocument& doc, const TGlossmith& t,
                                      const std::vector<String>& entries) {
  if (entries.empty()) return {};
  std::unique_ptr<TComponent> copy;
  try {
    copy = doc.CopyWithoutTranslators();
  } catch (const Exception&) {
    return {};  // a form that reads only with its translators is not checked
  }
  TTranslatorCheck input;
  input.FormName = glsstorage::FormNameOf(doc.Root());
  input.Locale = t.Locale();
  input.TranslateEmpty = t.TranslateEmpty();
  for (const String& line : entries) {
    const size_t eq = line.find('=');
    if (eq == String::npos) continue;
    input.Entries.push_back({line.substr(0, eq), line.substr(eq + 1)});
  }
  std::vector<TDiagnostic> found;
  CheckTranslator(copy.get(), input, TCheckSelection::ErrorsOnly(), nullptr, found);
  std::erase_if(found, [](const TDiagnostic& d) { return d.Severity != TSeverity::Error; });
  return found;
}

}  // namespace Glossmith::Tool
