// The wall clock and a file's size and time, as local calendar time: what a
// page for people says about when it was made and which file it describes.
#pragma once

#include <cstdint>
#include <string_view>

namespace quenlo::platform {

// A moment in the local time zone, to the second.
struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

// Now, in local time. Windows: GetLocalTime. POSIX: the realtime clock
// through localtime_r, unless the stand-in host has fixed the clock
// (SetFixedClock).
LocalTime Now();

// POSIX: makes Now() answer `time` from here on (null: the real clock again).
// The stand-in host fixes the clock for tests; on Windows it routes the
// add-in's GetLocalTime import instead.
void SetFixedClock(const LocalTime* time);

// What the file system says of a file: its size in bytes and when it was last
// written, in local time. False (and `facts` untouched) when there is no
// regular file at `path`.
struct FileFacts {
  uint64_t size = 0;
  LocalTime modified;
};
bool ReadFileFacts(std::wstring_view path, FileFacts& facts);

}  // namespace quenlo::platform
