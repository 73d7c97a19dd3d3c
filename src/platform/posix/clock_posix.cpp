// The clock and file times on POSIX.
#include <sys/stat.h>

#include <ctime>
#include <optional>

#include "platform/ansi.h"
#include "platform/clock.h"

namespace quenlo::platform {
namespace {

std::optional<LocalTime> g_fixed;

LocalTime FromSeconds(time_t seconds) {
  struct tm t {};
  localtime_r(&seconds, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace

LocalTime Now() {
  if (g_fixed) return *g_fixed;
  return FromSeconds(std::time(nullptr));
}

void SetFixedClock(const LocalTime* time) {
  if (time) g_fixed = *time;
  else g_fixed.reset();
}

bool ReadFileFacts(std::wstring_view path, FileFacts& facts) {
  struct stat st {};
  if (::stat(ToUtf8(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  facts.size = static_cast<uint64_t>(st.st_size);
  facts.modified = FromSeconds(st.st_mtime);
  return true;
}

}  // namespace quenlo::platform
