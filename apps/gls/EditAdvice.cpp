#include "EditAdvice.h"

#include "check/TextChecks.h"
#include "glsedit/GlsEdit.h"

namespace Glossmith::Tool {

String TranslationAdvice(const TControl* memo) {
  auto* editor = dynamic_cast<TFormEditor*>(memo->Owner());
  if (!editor || memo != editor->EdtTranslation || !editor->PropList || !editor->EdtOrgTranslation)
    return String();
  const int current = editor->PropList->ItemIndex();
  if (current < 0 || current >= editor->PropList->Items()->Count()) return String();
  const String path = editor->PropList->Items()->Strings(current);
  const String& original = editor->EdtOrgTranslation->Text();
  const String& translation = memo->Text();
  if (original.empty() || translation.empty()) return String();
  const std::string_view name = std::string_view(path).substr(path.rfind('.') + 1);
  const bool caption = name == "Caption" || path.starts_with("SystemMenu");
  std::vector<TTextFinding> findings;
  CheckTexts(original, translation, caption, findings);
  for (const TTextFinding& f : findings)
    // A text still equal to its original is where typing starts.
    if (String(f.Check) != "unchanged") return f.Message + " [" + f.Check + "]";
  return String();
}

}  // namespace Glossmith::Tool
