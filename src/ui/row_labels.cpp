#include "ui/row_labels.h"

namespace quenlo::ui {

std::wstring WcsRowLabel(int i) {
  std::wstring n = std::to_wstring(i);
  if (i <= 0) return L"EXOFS";
  if (i <= 6) return n + L"(G" + std::to_wstring(53 + i) + L")";
  if (i <= 306) return n + L"(G54.1P" + std::to_wstring(i - 6) + L")";
  int p = i - 306;
  return n + L"(G54.2P" + (p < 10 ? L"0" : L"") + std::to_wstring(p) + L")";
}

std::wstring RefRowLabel(int i) {
  if (i <= 0) return L"初期値";
  return L"第" + std::to_wstring(i) + L"復帰値";
}

}  // namespace quenlo::ui
