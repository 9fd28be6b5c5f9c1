// What the editor dialog's translation memo advises as a person types: the
// checks of the translation against the original text (accelerator,
// placeholders, whitespace, line breaks, punctuation). The dialog's logic
// does not change; a front end shows the advice beside the memo.
#pragma once

#include "host/controls/Controls.h"

namespace Glossmith::Tool {

// The advice for `memo` when it is the translation memo of a translations
// editor with a property chosen, else an empty text.
String TranslationAdvice(const TControl* memo);

}  // namespace Glossmith::Tool
