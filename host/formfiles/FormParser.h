// Reading the text form format into a form tree.
#pragma once

#include "host/classes/FormTree.h"

namespace Glossmith::inline FormFiles {

// Parses a form file in the text format (an optional UTF-8 byte order mark,
// then one object). Raises EParserError naming the line, the column and what
// was expected: "Line 12, column 5: '=' expected".
std::unique_ptr<TFormObject> ParseFormText(std::string_view text);

}  // namespace Glossmith::inline FormFiles
