// Starting the simulator on the project file.
#pragma once

#include <string>

namespace quenlo {

// The simulator's parameter text for a project file: -prjf "PRJ". The whole
// path is kept, however long.
std::wstring SimulatorParameters(const std::wstring& prj);

// Starts `exe` with SimulatorParameters(prj) and returns at once. A program
// that cannot be started is shown in one message naming it.
void LaunchSimulator(std::wstring exe, std::wstring prj);

}  // namespace quenlo
