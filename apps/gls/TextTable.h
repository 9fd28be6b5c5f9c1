// A plain-text table with columns as wide as their widest cell.
#pragma once

#include <iosfwd>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::Tool {

class TTextTable {
 public:
  // Cells wider than this are cut and end in "...".
  static constexpr size_t MaxCellWidth = 30;
  // The first row is the header.
  void AddRow(std::vector<String> cells);
  void Print(std::ostream& out) const;

 private:
  std::vector<std::vector<String>> FRows;
};

}  // namespace Glossmith::Tool
