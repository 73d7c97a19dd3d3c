#include "nc_check/nc_findings.h"

#include "common/messages.h"
#include "settings/work_offset_rows.h"

namespace quenlo::nc_check {
namespace {

bool AllZero(const AxisRow& row) {
  for (double v : row)
    if (v != 0) return false;
  return true;
}

bool Missing(const NcUse& use, const ToolFileNumbers& hand_off, const AxisRow* work_offsets) {
  switch (use.word) {
    case NcWord::kTool: return hand_off.tools.count(use.number) == 0;
    case NcWord::kLength: return hand_off.lengths.count(use.number) == 0;
    case NcWord::kRadius: return hand_off.radii.count(use.number) == 0;
    case NcWord::kWorkOffset:
      return use.number > 0 && use.number < kWcsRows && AllZero(work_offsets[use.number]);
  }
  return false;
}

const wchar_t* WhatIsMissing(NcWord word) {
  switch (word) {
    case NcWord::kTool: return messages::kToolMissing;
    case NcWord::kLength: return messages::kLengthMissing;
    case NcWord::kRadius: return messages::kRadiusMissing;
    case NcWord::kWorkOffset: return messages::kWorkOffsetZero;
  }
  return L"";
}

}  // namespace

std::wstring WordName(const NcUse& use) {
  const std::wstring n = std::to_wstring(use.number);
  switch (use.word) {
    case NcWord::kTool: return L"T" + n;
    case NcWord::kLength: return L"H" + n;
    case NcWord::kRadius: return L"D" + n;
    case NcWord::kWorkOffset: return WorkOffsetCode(use.number);
  }
  return n;
}

std::vector<std::wstring> FindMissing(const std::vector<NcUse>& uses, const ToolFileNumbers& hand_off,
                                      const AxisRow* work_offsets) {
  std::vector<std::wstring> findings;
  for (const NcUse& use : uses) {
    if (!Missing(use, hand_off, work_offsets)) continue;
    findings.push_back(messages::Finding(WordName(use), use.line, WhatIsMissing(use.word)));
  }
  return findings;
}

}  // namespace quenlo::nc_check
