// The binary search of a sorted list of lines, shared by TSortList and the
// bulk operations on file-sized lists, so that both find the same positions.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/rtl/System.h"

namespace Glossmith::inline Gls {

// Searches `count` lines, line i given by lineAt(i) and its object by
// objectAt(i), for a line equal to S, in unsigned byte order. Index is in and
// out: with -1 on entry it becomes the position of an equal line (true) or the
// position where S would be inserted (false); with any other value on entry
// it becomes the object of the line last examined, taken as an integer
// (nothing in the translator passes anything but -1).
template <class LineAt, class ObjectAt>
bool SortSearch(int count, const LineAt& lineAt, const ObjectAt& objectAt, std::string_view S,
                int& Index) {
  const bool fromStart = Index == -1;
  int low = 0, high = count - 1, mid = 0;
  bool found = false;
  while (low <= high) {
    mid = (low + high) / 2;
    int c = S.compare(lineAt(mid));
    if (c < 0) {
      high = mid - 1;
    } else if (c == 0) {
      found = true;
      break;
    } else {
      low = mid + 1;
      if (low > high && fromStart) ++mid;
    }
  }
  if (fromStart || count == 0)
    Index = mid;
  else
    Index = static_cast<int>(reinterpret_cast<intptr_t>(objectAt(mid)));
  return found;
}

// The search with Index -1 on entry: where S is, or would be inserted.
template <class LineAt>
int SortPosition(int count, const LineAt& lineAt, std::string_view S, bool* found = nullptr) {
  int index = -1;
  bool f = SortSearch(
      count, lineAt, [](int) -> TObject* { return nullptr; }, S, index);
  if (found) *found = f;
  return index;
}

}  // namespace Glossmith::inline Gls
