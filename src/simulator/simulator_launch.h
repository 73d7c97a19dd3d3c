// Starting the simulator on the project file.
#pragma once

#include <string>

namespace quenlo {

void LaunchSimulator(std::wstring exe, std::wstring prj);

}  // namespace quenlo
