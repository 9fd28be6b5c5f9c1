// The checks a command runs on the entries it brings into a translator
// (load, dict import, and every import from translators' tools) before it
// writes anything: an entry that the error-level checks refuse is reported
// at the line of the file it came from, and nothing is written.
#pragma once

#include <algorithm>
#include <iterator>
#include <optional>

#include "FormDocument.h"
#include "Places.h"
#include "check/FormChecks.h"

namespace Glossmith::Tool {

// The entries of a translator's list in byte order, to tell afterwards which
// entries a load or an import added or changed.
inline std::vector<String> EntriesOf(const TGlossmith& t) {
  std::vector<String> entries;
  for (int i = 0; i < t.Translations()->Count(); ++i) entries.push_back(t.Translations()->Get(i));
  std::sort(entries.begin(), entries.end());
  return entries;
}

// The error-level findings of `entries` (path "=" value) about to go into
// translator `t` of the document's form, on a copy of the form as read.
std::vector<TDiagnostic> IntakeErrors(const TFormDocument& doc, const TGlossmith& t,
                                      const std::vector<String>& entries);

// The entries among `entries` (path "=" value) that the error-level checks
// refuse for translator `t` of the document's form, each with what is wrong
// with it: first those the checks find, then, of the others, those the
// translator itself cannot apply (on a copy of the form). This is
// the one judgement of an entry a command brings in; raises the host's
// error when the form cannot be read for it.
std::vector<ETranslationEntryError> IntakeRefusals(const TFormDocument& doc, const TGlossmith& t,
                                                   std::vector<String> entries);

// Applies the entries a load or an import brought into `t` (those of its
// list now that are not in `before`) to a copy of the form, and runs the
// error-level checks on them, before anything is written: the first one
// refused is raised as EToolError at the line of `from` that
// locate(ETranslationEntryError) finds for it, else with `from`'s name.
template <class Locate>
void CheckIntake(const TFormDocument& doc, const TGlossmith& t, const std::vector<String>& before,
                 const String& from, Locate&& locate) {
  std::vector<String> added;
  const std::vector<String> after = EntriesOf(t);
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::back_inserter(added));
  std::vector<ETranslationEntryError> refused;
  try {
    refused = IntakeRefusals(doc, t, std::move(added));
  } catch (const Exception& e) {
    throw EToolError(from + ": " + e.Message());
  }
  if (refused.empty()) return;
  const ETranslationEntryError& e = refused.front();
  if (const std::optional<TPlace> place = locate(e))
    throw EToolError(PlacedMessage(*place, e.Entry(), e.Message()));
  throw EToolError(from + ": " + Shortened(e.Entry()) + ": " + e.Message());
}

}  // namespace Glossmith::Tool
