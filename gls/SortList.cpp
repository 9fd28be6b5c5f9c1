#include "gls/SortList.h"

#include <cstdint>

GLS_IMPLEMENT_CLASS(TSortList)

bool TSortList::SortFind(const String& S, int& Index) const {
  const bool insertPosWanted = Index == -1;
  int low = 0;
  int high = Count() - 1;
  int mid = 0;
  bool found = false;
  while (low <= high) {
    mid = (low + high) / 2;
    const int c = CompareBytes(S, At(mid));
    if (c < 0) {
      high = mid - 1;
    } else if (c == 0) {
      found = true;
      break;
    } else {
      low = mid + 1;
      // S sorts after the last line probed: its place is one further on.
      if (low > high && insertPosWanted) ++mid;
    }
  }
  if (insertPosWanted || Count() == 0) {
    Index = mid;
  } else {
    // Kept from the original contract: with any other Index on entry the
    // caller gets the object of the line probed last, as an integer. Nothing
    // in the translator relies on it.
    Index = static_cast<int>(reinterpret_cast<intptr_t>(GetObject(mid)));
  }
  return found;
}

void TSortList::SortInsert(const String& S, TObject* AObject) {
  int index = -1;
  SortFind(S, index);
  InsertObject(index, S, AObject);
}
