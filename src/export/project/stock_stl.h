// The STL file of a solid stock, written by the host.
#pragma once

#include <string>

namespace quenlo {

// Has the host write solid `solid_id` as STL to `path`, triangulated within
// 0.01. False when the file could not be opened or completely written.
bool WriteStockStl(const std::wstring& path, int solid_id);

}  // namespace quenlo
