// What the NC program uses that the hand-off to the simulator lacks, each
// finding as the user reads it: the word, the line where the program first
// uses it, and what is missing.
#pragma once

#include <string>
#include <vector>

#include "export/tools/tool_file_content.h"
#include "nc_check/nc_reader.h"
#include "settings/link_settings.h"

namespace quenlo::nc_check {

// Compares the program's uses with the numbers the tool file carries and with
// the work-offset table (`work_offsets`, kWcsRows rows): a tool, length or
// radius offset the tool file lacks, a work offset whose row is all zero.
std::vector<std::wstring> FindMissing(const std::vector<NcUse>& uses, const ToolFileNumbers& hand_off,
                                      const AxisRow* work_offsets);

// The word as the program selects it: "T12", "H3", "D3", "G54", "G54.1P12", "G54.2P8".
std::wstring WordName(const NcUse& use);

}  // namespace quenlo::nc_check
