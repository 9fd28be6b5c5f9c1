// Any bytes either fail to read as an XLIFF document with its error, or give
// entries; reading never crashes or hangs.
#include <cstddef>
#include <cstdint>

#include "exchange/Formats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  try {
    TIncomingCatalog catalog = ReadXliffCatalog(input, "fuzz.xlf");
    for (const TIncoming& e : catalog.Entries)
      if (e.Line < 0) __builtin_trap();
  } catch (const EXliffError&) {
  }
  return 0;
}
