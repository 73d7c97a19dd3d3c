// Faults in the add-in's file operations, injected by the stand-in host so
// that the tests can watch the add-in meet them: `quenlo-host --fault KIND:N`
// makes the Nth call of one kind of operation fail, `--fault kill:N` kills
// the host (as SIGKILL would) at the Nth operation of any kind, halfway
// through it if it is a write, and `--fault count` only counts. Only files
// opened for writing count (their open, write, flush and close), and every
// rename and removal.
//
// The seams change no product code. POSIX: quenlo-host is linked with
// -Wl,--wrap for open, write, fsync, close, rename and unlink
// (programs/file_faults_posix.cpp). Windows: the imports of CreateFileW,
// WriteFile, FlushFileBuffers, CloseHandle, MoveFileExW and DeleteFileW of
// Tarvik.dll and of the stand-in host's own module (its SysFile writes the
// stock's STL file) are routed through the host.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

enum class FileOp { kOpen, kWrite, kFlush, kClose, kRename, kRemove };

struct FaultPlan {
  bool active = false;  // counting, and failing if `nth` > 0
  FileOp op = FileOp::kOpen;
  bool short_write = false;  // a write that writes part and reports it; the disk is then full
  bool kill = false;         // the host dies at the Nth operation of any kind
  int nth = 0;               // 1-based; 0 = count only
};

// "count", or KIND:N with KIND one of open, write, short, flush, close,
// rename, remove, kill. False for anything else.
bool ParseFaultPlan(const std::string& text, FaultPlan& plan);

// Starts counting (and failing) from now on. `add_in` is the add-in's module
// on Windows (an HMODULE), ignored elsewhere.
void InjectFileFaults(const FaultPlan& plan, void* add_in);

// "file operations: open N, write N, flush N, close N, rename N, remove N".
void ReportFileOperations();

// For the seams. What becomes of one call.
enum class Verdict { kPass, kFail, kShort, kKill };
// Counts a call of `op` (writes, flushes and closes only on tracked handles:
// the seam asks IsTracked first) and says whether it fails; reports the fault.
Verdict NextCall(FileOp op);
// Ends the host at once, leaving its files as they are (a kill).
[[noreturn]] void KillHost();
// Handles (file descriptors or HANDLEs) of files opened for writing.
void Track(std::intptr_t handle);
bool IsTracked(std::intptr_t handle);
void Untrack(std::intptr_t handle);
// A handle whose disk is full after a short write: its writes fail.
void MarkFull(std::intptr_t handle);
bool IsFull(std::intptr_t handle);

}  // namespace standin
