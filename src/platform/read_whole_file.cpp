// Reading a whole file, or its end, the same on both back ends: only the
// opening and the system calls differ, and those are FileReading's.
#include <string>

#include "platform/files.h"

namespace quenlo::platform {
namespace {

// From `start` to the end. The string is sized for the size at opening and
// one byte more, so that a file that has not changed is read in one call and
// its end seen in the next; a file that grows meanwhile is still read to its
// end. On failure `bytes` stays as it was.
bool ReadToEnd(FileReading& file, size_t start, std::string& bytes) {
  if (!file.open() || (start > 0 && !file.SkipTo(start))) return false;
  std::string out(file.size() - start + 1, '\0');
  size_t used = 0;
  for (;;) {
    if (used == out.size()) out.resize(out.size() * 2);
    const long long n = file.Read(out.data() + used, out.size() - used);
    if (n < 0) return false;
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  out.resize(used);
  bytes = std::move(out);
  return true;
}

}  // namespace

bool ReadWholeFile(std::wstring_view path, std::string& bytes) {
  FileReading file(path);
  return ReadToEnd(file, 0, bytes);
}

bool ReadFileEnd(std::wstring_view path, size_t count, std::string& bytes) {
  FileReading file(path);
  return ReadToEnd(file, file.size() > count ? file.size() - count : 0, bytes);
}

}  // namespace quenlo::platform
