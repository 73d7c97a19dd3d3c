// The bytes of the tool file, built from the host's operations and tool
// library: tool records, then (unless the host's operation record is left on
// a turning code) the D, H and holder sections. ANSI code page, LF line ends.
#pragma once

#include <string>

namespace quenlo {

// Appends the whole tool file to `out`.
void BuildToolFile(std::string& out);

}  // namespace quenlo
