// Decoding any text either fails with the conversion error or gives a text
// whose literal form decodes back to it; encoding any bytes round-trips.
#include <cstddef>
#include <cstdint>

#include "gls/Gls.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckRoundTrip(const String& plain) {
  String literal = plain;
  TGlossmith::ConvertToLiterals(literal);
  Check(!literal.empty() && (literal[0] == '\'' || literal[0] == '#'));
  for (char c : literal) Check(static_cast<unsigned char>(c) >= 32);
  String back = literal;
  TGlossmith::ConvertFromLiterals(back);
  Check(back == plain);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String input(reinterpret_cast<const char*>(data), size);
  CheckRoundTrip(input);
  String decoded = input;
  try {
    TGlossmith::ConvertFromLiterals(decoded);
  } catch (const EConvertError&) {
    Check(decoded == input);  // a failed decoding leaves the text alone
    return 0;
  }
  CheckRoundTrip(decoded);
  return 0;
}
