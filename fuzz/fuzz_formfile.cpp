// Reading any bytes as a form file either fails with the host's read or
// parser error or gives a form; a form that was read writes as text and as
// binary, and what the host wrote reads back and writes the same bytes.
#include <cstddef>
#include <cstdint>

#include "host/classes/Filer.h"
#include "host/formfiles/FormFiles.h"
#include "host/controls/Forms.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  int before = Application->ComponentCount();
  std::unique_ptr<TComponent> form;
  try {
    form.reset(ReadFormFromString(input, Application));
  } catch (const EParserError&) {
  } catch (const EReadError&) {
  }
  if (!form) {
    // Nothing half-read stays with the application.
    Check(Application->ComponentCount() == before);
    return 0;
  }
  String text, binary;
  try {
    text = WriteFormToString(form.get());
    binary = WriteFormToString(form.get(), TFormFormat::Binary);
  } catch (const EWriteError&) {
    return 0;  // a value that has no form in the format (a NaN, a long name)
  }
  form.reset();
  std::unique_ptr<TComponent> again(ReadFormFromString(text, Application));
  Check(WriteFormToString(again.get()) == text);
  again.reset();  // the next copy would otherwise be renamed
  // Binary keeps no written forms (hex, exponents): it is compared with itself.
  again.reset(ReadFormFromString(binary, Application));
  Check(WriteFormToString(again.get(), TFormFormat::Binary) == binary);
  return 0;
}
