// Writing the setup sheet at a launch: after the tool and project files, before
// the simulator starts, beside the project file.
#pragma once

#include <string>

#include "export/tools/tool_model.h"
#include "nc_check/nc_check.h"
#include "settings/link_settings.h"

namespace quenlo::sheet {

// The project file's path with its extension replaced: C:\job\part1.prjx ->
// C:\job\part1.setup.html (a name without extension gets it added).
std::wstring SetupSheetPath(const std::wstring& project_file);

// Gathers what the sheet shows (the NC file and the check's reading of it,
// the stock, the clock, the sheet it replaces) and replaces the sheet in one
// step. A failure is shown in one message; the launch goes on.
void WriteSetupSheet(const LinkSettings& settings, const ToolModel& tools, const nc_check::CheckOutcome& check);

}  // namespace quenlo::sheet
