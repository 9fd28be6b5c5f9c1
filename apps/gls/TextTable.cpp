#include "TextTable.h"

#include <ostream>

#include "gls/Gls.h"

namespace Glossmith::Tool {

namespace {

// Characters shown, counting a UTF-8 sequence as one.
size_t DisplayWidth(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// The cell as shown: control characters escaped, cut to the maximum width.
String Shown(const String& cell) {
  String text = TGlossmith::WriteString(cell);
  if (DisplayWidth(text) <= TTextTable::MaxCellWidth) return text;
  String cut;
  size_t width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) != 0x80 && ++width > TTextTable::MaxCellWidth - 3) break;
    cut += text[i];
  }
  return cut + "...";
}

}  // namespace

void TTextTable::AddRow(std::vector<String> cells) {
  for (String& c : cells) c = Shown(c);
  FRows.push_back(std::move(cells));
}

void TTextTable::Print(std::ostream& out) const {
  std::vector<size_t> widths;
  for (const auto& row : FRows)
    for (size_t i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths.push_back(0);
      widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
  auto printRow = [&](const std::vector<String>& row) {
    String line;
    for (size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += String(widths[i] - DisplayWidth(row[i]) + 2, ' ');
    }
    out << line << "\n";
  };
  for (size_t r = 0; r < FRows.size(); ++r) {
    printRow(FRows[r]);
    if (r == 0) {
      std::vector<String> rule;
      for (size_t w : widths) rule.push_back(String(w, '-'));
      printRow(rule);
    }
  }
}

}  // namespace Glossmith::Tool
