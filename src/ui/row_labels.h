// The entries of the panel's two row selectors.
#pragma once

#include <string>

namespace quenlo::ui {

inline constexpr int kWcsEntries = 315;  // rows 0..314; row 315 has no entry
inline constexpr int kRefEntries = 5;

// "EXOFS", "1(G54)".."6(G59)", "7(G54.1P1)".."306(G54.1P300)", "307(G54.2P01)".."314(G54.2P08)".
std::wstring WcsRowLabel(int index);
// "初期値", "第1復帰値".."第4復帰値".
std::wstring RefRowLabel(int index);

}  // namespace quenlo::ui
