#include "gls/SortList.h"

#include "gls/SortSearch.h"

namespace Glossmith::inline Gls {

GLS_IMPLEMENT_CLASS(TSortList)

bool TSortList::SortFind(const String& S, int& Index) const {
  return SortSearch(
      Count(), [this](int i) -> std::string_view { return At(i); },
      [this](int i) { return GetObject(i); }, S, Index);
}

void TSortList::SortInsert(const String& S, TObject* AObject) {
  int index = -1;
  SortFind(S, index);
  InsertObject(index, S, AObject);
}

}  // namespace Glossmith::inline Gls
