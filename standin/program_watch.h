// The stand-in host sees each program that the add-in starts and reports it
// in its transcript: "started: <exe> <parameters>" (or "start failed: ...").
#pragma once

namespace standin {

// POSIX: through the platform layer's program-start observer. Windows: by
// routing the ShellExecuteW import of the loaded add-in module (`add_in`, an
// HMODULE; null for none) through the host, which reports the call and passes
// it on unchanged.
void WatchProgramStarts(void* add_in);

}  // namespace standin
