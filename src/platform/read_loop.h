// Reading an open file to its end, for both back ends: only the system call
// differs between them.
#pragma once

#include <string>

namespace quenlo::platform {

// Reads through `read(buffer, room)` (the count read, 0 at the end, negative
// on failure) into `bytes`, which is left as it was on failure. The string is
// sized for `expected` bytes and one more, so that a file that has not changed
// is read in one call and its end seen in the next; a file that grows
// meanwhile is still read to its end.
template <typename Read>
bool ReadToEnd(size_t expected, Read read, std::string& bytes) {
  std::string out(expected + 1, '\0');
  size_t used = 0;
  for (;;) {
    if (used == out.size()) out.resize(out.size() * 2);
    const long long n = read(out.data() + used, out.size() - used);
    if (n < 0) return false;
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  out.resize(used);
  bytes = std::move(out);
  return true;
}

}  // namespace quenlo::platform
