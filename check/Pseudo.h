// Pseudo-localization: texts made to look translated, so that a form shows
// where its layout breaks before any translator has started. Letters become
// accented look-alikes, the text grows (short ones more, as translations of
// short texts do) and stands in brackets, so that a cut-off end shows;
// accelerators, placeholders, line breaks and what follows a tab (a menu's
// shortcut) are kept as they are.
#pragma once

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Check {

struct TPseudoOptions {
  // How much longer a long text grows, in per cent; shorter texts grow more
  // (up to two and a half times this for texts of ten characters or less).
  int Expand = 40;
  // Each line wrapped in right-to-left marks, for right-to-left layouts.
  bool Mirror = false;
};

// The locale numbers of the pseudo-localized translator, and of its
// right-to-left variant (the pseudo-locale identifiers of the usual
// platform tables).
constexpr Integer PseudoLocale = 1281;        // 0x0501
constexpr Integer PseudoMirrorLocale = 2559;  // 0x09FF

// The pseudo-localized form of a plain text. Texts without letters stay.
String Pseudolocalize(std::string_view text, const TPseudoOptions& options = {});

// Whether a property (by its own name; a list's name for its items) holds a
// text that a person reads, which pseudo-localization changes.
bool IsTextProperty(std::string_view name);

}  // namespace Glossmith::inline Check
