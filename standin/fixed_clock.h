// The stand-in host's clock for tests: QUENLO_CLOCK="YYYY-MM-DD hh:mm:ss" in
// the environment fixes the local time that the add-in reads, so that what it
// writes with the time in it is the same on every run.
#pragma once

namespace standin {

// Natively through the platform layer; on Windows by routing the GetLocalTime
// import of the loaded add-in module (`add_in`, an HMODULE; null for none).
// Nothing happens without the variable. False when the variable holds no
// such time.
bool FixClockFromEnvironment(void* add_in);

}  // namespace standin
