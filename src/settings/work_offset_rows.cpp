#include "settings/work_offset_rows.h"

namespace quenlo {

std::wstring WorkOffsetCode(int row, bool two_digit_p) {
  if (row < kFirstG541Row) return L"G" + std::to_wstring(53 + row);
  if (row < kFirstG542Row) return L"G54.1P" + std::to_wstring(row - kFirstG541Row + 1);
  const int p = row - kFirstG542Row + 1;
  return L"G54.2P" + std::wstring(two_digit_p && p < 10 ? L"0" : L"") + std::to_wstring(p);
}

}  // namespace quenlo
