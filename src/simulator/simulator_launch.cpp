#include "simulator/simulator_launch.h"

namespace quenlo {

void LaunchSimulator(std::wstring, std::wstring) {}

}  // namespace quenlo
