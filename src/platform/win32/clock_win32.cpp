// The clock and file times on Windows.
#include <windows.h>

#include <string>

#include "platform/clock.h"

namespace quenlo::platform {
namespace {

LocalTime FromSystemTime(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

LocalTime Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return FromSystemTime(t);
}

void SetFixedClock(const LocalTime*) {}

bool ReadFileFacts(std::wstring_view path, FileFacts& facts) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const std::wstring p(path);
  if (!GetFileAttributesExW(p.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local{};
  SYSTEMTIME t{};
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t)) return false;
  facts.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  facts.modified = FromSystemTime(t);
  return true;
}

}  // namespace quenlo::platform
