// Finding the installed simulators in the registry.
#pragma once

#include <string>

namespace quenlo {

// The full path of the installed Tarvik executable, or empty.
std::wstring LocateTarvik();
// The full path of the installed Pellast executable, or empty.
std::wstring LocatePellast();

}  // namespace quenlo
