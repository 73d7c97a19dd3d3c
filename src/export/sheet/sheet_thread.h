// The thread that makes the setup sheet's page beside each launch. It is
// started at the first launch and then waits for the next one as long as the
// process lives: under Wine starting and ending a thread cost every launch a
// millisecond or more of processor time beside the writers (measured), a
// waiting thread costs nothing.
#pragma once

#include <functional>

namespace quenlo::sheet {

// Runs `task` on the sheet's thread, once the task before it is done; false
// when no thread can be had, and the caller then runs the task itself.
bool StartOnSheetThread(std::function<void()> task);

// Waits until the task started last is done.
void WaitForSheetThread();

}  // namespace quenlo::sheet
