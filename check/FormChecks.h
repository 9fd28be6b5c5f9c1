// The checks of one translator's entries against its form: every value
// converted as applying it would convert it, the texts compared with the
// form's originals, and the translated form itself examined (accelerator
// clashes among siblings, a label's focus accelerator, truncated texts).
#pragma once

#include <vector>

#include "check/Diagnostics.h"
#include "check/TextMeasure.h"
#include "host/classes/Classes.h"

namespace Glossmith::inline Check {

// An entry of a translation list (path "=" value) and where it is kept.
struct TCheckEntry {
  TCheckEntry() = default;
  TCheckEntry(String path, String value, String file = String(), int line = 0)
      : Path(std::move(path)), Value(std::move(value)), File(std::move(file)), Line(line) {}

  String Path;
  String Value;
  String File;
  int Line = 0;
  // The value was longer than the translation file keeps, and cut.
  bool Cut = false;
};

// What is checked: one translator's entries, with the original texts saved
// beside them in its translation file (none for a list kept in the form).
struct TTranslatorCheck {
  String FormName;
  Integer Locale = 0;
  bool TranslateEmpty = false;
  std::vector<TCheckEntry> Entries;
  std::vector<TCheckEntry> Originals;
};

// Runs the selected checks of one translator against `root`, a form that
// shows its untranslated texts, appending what they find to `out`. The
// form-aware checks apply the entries to the form and put the originals back
// before returning. `measure` measures texts for the truncation check (none:
// the check does not run).
void CheckTranslator(TComponent* root, const TTranslatorCheck& input,
                     const TCheckSelection& selection, const TTextMeasure* measure,
                     std::vector<TDiagnostic>& out);

// Whether any diagnostic is an error.
bool HasErrors(const std::vector<TDiagnostic>& diagnostics);

}  // namespace Glossmith::inline Check
