// Any bytes either fail to read as a PO catalog with its error, or read as a
// catalog that the writer writes and the reader reads back the same.
#include <cstddef>
#include <cstdint>

#include "exchange/Po.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool SameEntries(const TPoCatalog& a, const TPoCatalog& b) {
  if (a.Entries.size() != b.Entries.size()) return false;
  for (size_t i = 0; i < a.Entries.size(); ++i) {
    const TPoEntry& x = a.Entries[i];
    const TPoEntry& y = b.Entries[i];
    if (x.Context != y.Context || x.Id != y.Id || x.Str != y.Str || x.Obsolete != y.Obsolete ||
        x.PluralStr != y.PluralStr || x.PreviousId != y.PreviousId || x.Fuzzy() != y.Fuzzy())
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TPoCatalog catalog;
  try {
    catalog = ReadPo(input, "fuzz.po");
  } catch (const EPoError&) {
    return 0;
  }
  // NUL ends a string for gettext; the writer is not asked to carry it.
  for (const TPoEntry& e : catalog.Entries)
    if (e.Id.find('\0') != String::npos || e.Str.find('\0') != String::npos) return 0;
  // Obsolete entries are written last: compare with them moved there.
  TPoCatalog ordered;
  for (int pass = 0; pass < 2; ++pass)
    for (const TPoEntry& e : catalog.Entries)
      if (e.Obsolete == (pass == 1)) ordered.Entries.push_back(e);
  const String written = WritePo(ordered);
  TPoCatalog back;
  try {
    back = ReadPo(written, "written.po");
  } catch (const EPoError&) {
    Check(false);
  }
  Check(SameEntries(back, ordered));
  Check(WritePo(back) == written);
  return 0;
}
