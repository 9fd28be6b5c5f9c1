// Reading the text form format into a form tree.
#pragma once

#include "host/FormTree.h"

// Parses a form file in the text format (an optional UTF-8 byte order mark,
// then one object). Raises EParserError naming the line, the column and what
// was expected: "Line 12, column 5: '=' expected".
std::unique_ptr<TFormObject> ParseFormText(std::string_view text);

// Appends the UTF-8 bytes of the character with the code point `code` (the
// three-byte form for a lone surrogate, so that no code is lost).
void AppendUtf8(String& out, uint32_t code);
