// The rows of the work-offset table and the G codes that select them: row 0
// the external offset (EXOFS), 1..6 G54..G59, 7..306 G54.1 P1..P300, 307..314
// G54.2 P1..P8 (row 315 is kept but selected by nothing).
#pragma once

#include <string>

namespace quenlo {

inline constexpr int kFirstG541Row = 7;    // G54.1 P1
inline constexpr int kFirstG542Row = 307;  // G54.2 P1
inline constexpr int kG542Rows = 8;

// The G code that selects row `row` (1..314): "G54", "G54.1P12", "G54.2P8";
// `two_digit_p` writes the G54.2 numbers as the panel lists them ("G54.2P08").
std::wstring WorkOffsetCode(int row, bool two_digit_p = false);

}  // namespace quenlo
