// Work origin, rotary-axis centres, the initial and reference-return
// positions and the work offsets in the project.
#include "common/numbers.h"
#include "export/project/rule_sets.h"
#include "export/project/rule_text.h"

namespace quenlo {
namespace {

constexpr int kFirstG542Header = 308;  // G54.2 P01 .. P08: headers 308..315
constexpr int kLastHeader = 315;       // row 315 has no header

// The key, a blank, the value, a blank.
KeyRule ValueRule(const std::string& key, const std::string& value) {
  return LineRule(key, key + " " + value + " ");
}

// Axis 1's key ends with a blank, the others do not; every line reads: key
// text, one blank, value, one blank.
void AppendAxisRow(const std::string& prefix, const AxisRow& row, KeyRules& rules) {
  std::string first = prefix + "1 ";
  rules.push_back(LineRule(first, first + G(row[0]) + " "));
  for (int axis = 2; axis <= 9; ++axis) rules.push_back(ValueRule(prefix + FormatD(axis), G(row[axis - 1])));
}

KeyRule WorkOffsetRule(int header, const AxisRow& row) {
  KeyRule rule;
  rule.key = ".setting.WORK5SYS[0] " + FormatD(header) + " ";
  if (header < kFirstG542Header) {
    std::string line = ".W5SV";
    for (double v : row) line += " " + G(v);
    rule.steps.push_back(line + " ");
  } else {
    std::string rotary = ".W5SV" + Zeros(3);
    for (int i = 3; i < 9; ++i) rotary += " " + G(row[i]);
    rule.steps.push_back(rotary + " ");
    rule.steps.push_back(".W5SF 1 " + G(row[0]) + " " + G(row[1]) + " " + G(row[2]) + Zeros(6) + " ");
  }
  return rule;
}

}  // namespace

void AppendOriginRules(const LinkSettings& s, KeyRules& rules) {
  rules.push_back(ValueRule(".setting.part0p.x", G(s.part_x)));
  rules.push_back(ValueRule(".setting.part0p.y", G(s.part_y)));
  rules.push_back(ValueRule(".setting.part0p.z", G(s.part_z)));
  rules.push_back(ValueRule(".setting.a_axis_0p.y", G(s.a_axis_y)));
  rules.push_back(ValueRule(".setting.a_axis_0p.z", G(s.a_axis_z)));
  rules.push_back(ValueRule(".setting.b_axis_0p.x", G(s.b_axis_x)));
  rules.push_back(ValueRule(".setting.b_axis_0p.z", G(s.b_axis_z)));
  rules.push_back(ValueRule(".setting.c_axis_0p.x", G(s.c_axis_x)));
  rules.push_back(ValueRule(".setting.c_axis_0p.y", G(s.c_axis_y)));
  rules.push_back(ValueRule(".setting.initial_tool_fromM", FormatD(s.ref_from_m)));
}

void AppendPositionRules(const AxisRow (&ref)[kRefRows], KeyRules& rules) {
  AppendAxisRow(".setting.initial_axis", ref[0], rules);
  for (int n = 1; n < kRefRows; ++n) AppendAxisRow(".setting.referenc" + FormatD(n) + "_axis", ref[n], rules);
}

void AppendWorkOffsetRules(const AxisRow (&wcs)[kWcsRows], KeyRules& rules) {
  for (int header = 1; header <= kLastHeader; ++header) rules.push_back(WorkOffsetRule(header, wcs[header - 1]));
}

}  // namespace quenlo
