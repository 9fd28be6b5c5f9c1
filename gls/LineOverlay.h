// A file-sized list of lines edited by a few insertions and replacements
// without moving its lines: the edits are kept beside the list and merged in
// when it is written. Positions are those of the edited list, so sorted
// insertion finds exactly the places that editing the list itself would give.
#pragma once

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "gls/SortSearch.h"
#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Gls {

class TLineOverlay {
 public:
  explicit TLineOverlay(std::vector<std::string_view> base) : FBase(std::move(base)) {}

  int Count() const { return static_cast<int>(FBase.size() + FInserted.size()); }

  std::string_view At(int index) const {
    auto it = std::lower_bound(FPositions.begin(), FPositions.end(), index);
    size_t k = static_cast<size_t>(it - FPositions.begin());
    if (it != FPositions.end() && *it == index) return FInserted[k];
    size_t b = static_cast<size_t>(index) - k;
    auto r = FReplaced.find(b);
    return r == FReplaced.end() ? FBase[b] : std::string_view(r->second);
  }

  void Insert(int index, String line) {
    auto it = std::lower_bound(FPositions.begin(), FPositions.end(), index);
    size_t k = static_cast<size_t>(it - FPositions.begin());
    for (auto j = it; j != FPositions.end(); ++j) ++*j;
    FPositions.insert(it, index);
    FInserted.insert(FInserted.begin() + static_cast<std::ptrdiff_t>(k), std::move(line));
  }

  void Replace(int index, String line) {
    auto it = std::lower_bound(FPositions.begin(), FPositions.end(), index);
    size_t k = static_cast<size_t>(it - FPositions.begin());
    if (it != FPositions.end() && *it == index)
      FInserted[k] = std::move(line);
    else
      FReplaced[static_cast<size_t>(index) - k] = std::move(line);
  }

  // Inserts a line where it keeps the order (an equal line already present
  // stays behind it), as TSortList::SortInsert does.
  void SortInsert(String line) {
    int index = SortPosition(
        Count(), [this](int i) { return At(i); }, line);
    Insert(index, std::move(line));
  }

  // Calls f(line) for every line in order.
  template <class F>
  void ForEach(F&& f) const {
    size_t k = 0;
    for (size_t b = 0; b <= FBase.size(); ++b) {
      // Inserted lines that stand before base line b.
      while (k < FInserted.size() && static_cast<size_t>(FPositions[k]) == b + k)
        f(std::string_view(FInserted[k++]));
      if (b == FBase.size()) break;
      auto r = FReplaced.find(b);
      f(r == FReplaced.end() ? FBase[b] : std::string_view(r->second));
    }
  }

 private:
  std::vector<std::string_view> FBase;
  std::vector<int> FPositions;  // positions of the inserted lines, ascending
  std::vector<String> FInserted;
  std::map<size_t, String> FReplaced;  // base index -> new text
};

}  // namespace Glossmith::inline Gls
