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

std::vector<ETranslationEntryError> IntakeRefusals(const TFormDocument& doc, const TGlossmith& t,
                                                   std::vector<String> entries) {
  std::vector<ETranslationEntryError> refused;
  for (const TDiagnostic& d : IntakeErrors(doc, t, entries)) {
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const String& line) {
      return line.size() > d.Path.size() && line.compare(0, d.Path.size(), d.Path) == 0 &&
             line[d.Path.size()] == '=';
    });
    if (entry == entries.end()) {
      refused.emplace_back(d.Message + " [" + d.Check + "]", d.Path, t.Name());
      continue;
    }
    refused.emplace_back(d.Message + " [" + d.Check + "]", *entry, t.Name());
    entries.erase(entry);
  }
  // What the checks let through, applied to a copy of the form: the
  // translator stops at the first entry it cannot apply, so that one is
  // taken out and the rest tried again.
  for (;;) {
    try {
      doc.CheckEntries(t, entries);
      break;
    } catch (const ETranslationEntryError& e) {
      const auto at = std::find(entries.begin(), entries.end(), e.Entry());
      refused.push_back(e);
      if (at == entries.end()) break;  // not one of them: nothing more to learn
      entries.erase(at);
    }
  }
  return refused;
}

}  // namespace Glossmith::Tool
