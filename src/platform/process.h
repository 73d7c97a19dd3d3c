// Starting another program without waiting for it: the simulator, with its
// parameters given as one Windows parameter text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quenlo::platform {

enum class StartResult {
  kStarted,
  kNotFound,       // no such file (or not found on the search path)
  kNotExecutable,  // a folder, no permission, or not a program
  kNoAssociation,  // Windows: nothing is associated with the file
  kFailed,         // any other reason
};

// Starts `exe` with `parameters` ("open", no working folder, shown normally)
// and returns at once; `owner` is the window handle that owns anything the
// system shows (may be null). Windows: ShellExecuteW. POSIX: the program
// started (through an intermediate process, so it is never the host's child
// and never left behind as a zombie) with the arguments that Windows would
// split from `parameters`, without a shell.
StartResult StartProgram(void* owner, std::wstring_view exe, std::wstring_view parameters);

// The arguments that a Windows program's C runtime splits from `parameters`:
// blanks separate, double quotes group, 2n backslashes before a quote give n
// and the quote groups, 2n+1 give n and a literal quote, "" inside quotes is a
// literal quote.
std::vector<std::wstring> SplitWindowsArguments(std::wstring_view parameters);

// Called after every StartProgram with what was asked and whether it started;
// the stand-in host reports program starts through it. Null for none.
using ProgramStartObserver = void (*)(std::wstring_view exe, std::wstring_view parameters, bool started);
void SetProgramStartObserver(ProgramStartObserver observer);

// Keeps the library this code is in loaded until the process ends, whatever
// the host unloads: a thread of ours waits in its code between launches.
// Windows: the DLL pinned; elsewhere nothing to do.
void KeepThisLibraryLoaded();

}  // namespace quenlo::platform
