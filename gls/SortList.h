// TSortList: a string list kept in byte-wise order by its own insertion.
#pragma once

#include "host/classes/Classes.h"

namespace Glossmith::inline Gls {

// A list of lines in ascending order of an unsigned byte-by-byte comparison,
// case-sensitive, with no regard to locale (a prefix sorts first). The order
// holds because every line is inserted with SortInsert (or the list is
// assigned from one already in that order); Sorted stays False. Equal lines
// are allowed.
class TSortList : public TStringList {
  GLS_CLASS(TSortList, TStringList)
 public:
  TSortList() = default;

  // Inserts S with its object where it keeps the order; an equal line already
  // present stays behind the new one.
  void SortInsert(const String& S, TObject* AObject);
  // Binary search for a line equal to S. Callers set Index to -1 first and get
  // back the position of an equal line (true) or where S would be inserted
  // (false).
  bool SortFind(const String& S, int& Index) const;
};

// The order of a TSortList: unsigned bytes, a prefix first.
inline int CompareBytes(std::string_view a, std::string_view b) { return a.compare(b); }

}  // namespace Glossmith::inline Gls
