// The classic binary form format: a "TPF0" stream, optionally wrapped in a
// 16-bit resource header, read into and written from a form tree.
#pragma once

#include "host/classes/FormTree.h"

namespace Glossmith::inline FormFiles {

// True when the data looks like a binary form (a resource header or a
// signature), false for the text format.
bool IsBinaryForm(std::string_view data);

// Reads a binary form. Raises EReadError naming the byte offset and what was
// expected; input that ends early or claims more data than it holds is
// refused before anything is allocated for it.
std::unique_ptr<TFormObject> ParseFormBinary(std::string_view data);

// Writes the tree as a bare "TPF0" stream.
String FormTreeToBinary(const TFormObject& root);

}  // namespace Glossmith::inline FormFiles
