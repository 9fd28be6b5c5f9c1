// Form files: reading a form from a file or from memory (text or binary
// format, told apart by their first bytes) and writing one, text by default.
#pragma once

#include "host/classes/Classes.h"
#include "host/classes/FormTree.h"

namespace Glossmith::inline FormFiles {

enum class TFormFormat : uint8_t { Text, Binary };

// The tree of a form file in either format. Raises EParserError (text) or
// EReadError (binary) naming where the input is malformed.
std::unique_ptr<TFormObject> ParseForm(std::string_view data);
String FormTreeToString(const TFormObject& root, TFormFormat format = TFormFormat::Text);

// The class the root object of a form file becomes. The root names the
// application's own class, which the host knows only when it is registered:
//   1. `formClass`, when given;
//   2. the registered component class of that name;
//   3. TDataModule, when the root is plainly a data module: its class name
//      contains "DataModule" or ends in "Module", or starts with "Tdm" and a
//      capital letter, and the root has no property of a form (Caption,
//      ClientWidth, ClientHeight, BorderStyle, Position, Menu, Font, ...);
//   4. TForm otherwise, reporting the file's class name;
//   5. a generic component when the host has no form class registered.
const TClassInfo& FormRootClass(const TFormObject& tree, const TClassInfo* formClass = nullptr);

// Creates the root component of the form (owned by `owner`, or by nobody)
// and reads the form into it. A form that fails to read is freed, so that
// nothing half-read stays with the owner.
TComponent* ReadFormFromString(std::string_view data, TComponent* owner = nullptr,
                               const TClassInfo* formClass = nullptr);
// Reads a form as a designer shows it: the root is in design mode
// (csDesigning) before anything is read, so that every component it creates
// designs from the start and its Loaded knows it (a translator then applies
// no translation).
TComponent* ReadFormForDesigning(std::string_view data, TComponent* owner = nullptr,
                                 const TClassInfo* formClass = nullptr);
// Reads a form into an existing root (a form whose class reads its own form
// file when it is created).
void ReadFormInto(TComponent* root, std::string_view data);

String WriteFormToString(TComponent* root, TFormFormat format = TFormFormat::Text);
// Writes the form to a file, replacing it atomically.
void WriteFormToFile(const String& fileName, TComponent* root,
                     TFormFormat format = TFormFormat::Text);

}  // namespace Glossmith::inline FormFiles
