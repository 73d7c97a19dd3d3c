// The simulator's tool file (.tol), written from the tools of the host's
// operations.
#pragma once

#include <string>

namespace quenlo {

// Writes the tool file at `path`. A file that cannot be written is reported to
// the user; there is then no tool file at `path`.
void WriteToolFile(std::wstring path);

}  // namespace quenlo
