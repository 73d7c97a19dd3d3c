#include "fixed_clock.h"

#include <cstdio>
#include <cstdlib>

#include "import_route.h"
#include "platform/clock.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace standin {
namespace {

quenlo::platform::LocalTime g_time;

#ifdef _WIN32
void WINAPI FixedGetLocalTime(LPSYSTEMTIME t) {
  *t = SYSTEMTIME{};
  t->wYear = static_cast<WORD>(g_time.year);
  t->wMonth = static_cast<WORD>(g_time.month);
  t->wDay = static_cast<WORD>(g_time.day);
  t->wHour = static_cast<WORD>(g_time.hour);
  t->wMinute = static_cast<WORD>(g_time.minute);
  t->wSecond = static_cast<WORD>(g_time.second);
}
#endif

}  // namespace

bool FixClockFromEnvironment(void* add_in) {
  const char* text = std::getenv("QUENLO_CLOCK");
  if (!text) return true;
  quenlo::platform::LocalTime& t = g_time;
  char end = 0;
  if (std::sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second,
                  &end) != 6)
    return false;
#ifdef _WIN32
  if (add_in) RouteImport(add_in, "kernel32.dll", "GetLocalTime", reinterpret_cast<void*>(&FixedGetLocalTime));
#else
  (void)add_in;
  quenlo::platform::SetFixedClock(&g_time);
#endif
  return true;
}

}  // namespace standin
