#include "simulator/simulator_locator.h"

namespace quenlo {

std::wstring LocateTarvik() { return L""; }
std::wstring LocatePellast() { return L""; }

}  // namespace quenlo
