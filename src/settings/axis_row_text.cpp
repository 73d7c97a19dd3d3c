#include "settings/axis_row_text.h"

#include <cmath>

#include "common/numbers.h"

namespace quenlo {

std::wstring FormatAxisRow(const AxisRow& row) {
  // Built as ASCII in place, widened once: the store holds 321 of these rows.
  char text[std::tuple_size_v<AxisRow> * (kWriteGRoom + 1)];
  char* at = text;
  for (size_t i = 0; i < row.size(); ++i) {
    if (i > 0) *at++ = ' ';
    at += WriteG(at, row[i]);
  }
  return std::wstring(text, at);
}

int ScanAxisRow(std::wstring_view text, AxisRow& row) { return ScanAxisRow(NarrowAscii(text), row); }

int ScanAxisRow(std::string_view ascii, AxisRow& row) {
  // Most rows of a store or a settings file are nobody's: nine zeros.
  constexpr std::string_view kZeros = "0 0 0 0 0 0 0 0 0";
  if (ascii.substr(0, kZeros.size()) == kZeros &&
      (ascii.size() == kZeros.size() || ascii[kZeros.size()] == ' ')) {
    row.fill(0.0);
    return static_cast<int>(row.size());
  }
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
