#include "ui/row_labels.h"

#include "settings/work_offset_rows.h"

namespace quenlo::ui {

std::wstring WcsRowLabel(int i) {
  if (i <= 0) return L"EXOFS";
  return std::to_wstring(i) + L"(" + WorkOffsetCode(i, true) + L")";
}

std::wstring RefRowLabel(int i) {
  if (i <= 0) return L"初期値";
  return L"第" + std::to_wstring(i) + L"復帰値";
}

}  // namespace quenlo::ui
