// Writing a form tree in the text form format, laid out as the classic
// writer lays it out: two spaces per level, CR LF line ends, long strings cut
// into pieces of 64 characters, lists and binary data one item or 32 bytes a
// line with the closing bracket glued to the last.
#pragma once

#include "host/classes/FormTree.h"

namespace Glossmith::inline FormFiles {

String FormTreeToText(const TFormObject& root);

// The text form of one value as it follows "Name = " on a line indented by
// `indent` spaces (a long value continues on the following lines).
void WriteFormValueText(String& out, const TFormValue& value, int indent);

}  // namespace Glossmith::inline FormFiles
