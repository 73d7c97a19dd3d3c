#include "settings/axis_row_text.h"

#include <cmath>

#include "common/numbers.h"

namespace quenlo {

std::wstring FormatAxisRow(const AxisRow& row) {
  std::wstring out;
  for (size_t i = 0; i < row.size(); ++i) {
    if (i > 0) out += L' ';
    out += WFormatG(row[i]);
  }
  return out;
}

int ScanAxisRow(std::wstring_view text, AxisRow& row) {
  std::string ascii = NarrowAscii(text);
  size_t pos = 0;
  int count = 0;
  for (double& value : row) {
    float f = 0;
    if (!ScanFloat(ascii, pos, f)) break;
    value = std::isfinite(f) ? static_cast<double>(f) : 0.0;
    ++count;
  }
  return count;
}

}  // namespace quenlo
