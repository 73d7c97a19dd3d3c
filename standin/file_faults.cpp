#include "file_faults.h"

#include <csignal>
#include <cstdlib>
#include <mutex>
#include <set>

#include "host_state.h"
#include "import_route.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace standin {
namespace {

constexpr const char* kOpNames[] = {"open", "write", "flush", "close", "rename", "remove"};
constexpr int kOpCount = 6;

struct Faults {
  std::mutex mutex;
  FaultPlan plan;
  int calls[kOpCount] = {};
  int all_calls = 0;
  std::set<std::intptr_t> tracked;
  std::set<std::intptr_t> full;
};

Faults& State() {
  static Faults* faults = new Faults;  // outlives every static destructor that may still close a file
  return *faults;
}

}  // namespace

bool ParseFaultPlan(const std::string& text, FaultPlan& plan) {
  plan = FaultPlan{};
  plan.active = true;
  if (text == "count") return true;
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string kind = text.substr(0, colon), number = text.substr(colon + 1);
  bool known = false;
  if (kind == "short") {
    plan.short_write = true;
    kind = "write";
  } else if (kind == "kill") {
    plan.kill = known = true;
  }
  for (int i = 0; i < kOpCount; ++i) {
    if (kind == kOpNames[i]) {
      plan.op = static_cast<FileOp>(i);
      known = true;
    }
  }
  char* end = nullptr;
  long n = number.empty() ? 0 : std::strtol(number.c_str(), &end, 10);
  if (!known || n < 1 || n > 1000000 || *end != '\0') return false;
  plan.nth = static_cast<int>(n);
  return true;
}

Verdict NextCall(FileOp op) {
  Faults& f = State();
  std::unique_lock<std::mutex> lock(f.mutex);
  if (!f.plan.active) return Verdict::kPass;
  int n = ++f.calls[static_cast<int>(op)];
  if (f.plan.kill) return ++f.all_calls == f.plan.nth ? Verdict::kKill : Verdict::kPass;
  if (f.plan.nth == 0 || f.plan.op != op || f.plan.nth != n) return Verdict::kPass;
  lock.unlock();
  Report(std::string("fault: ") + (f.plan.short_write ? "short" : kOpNames[static_cast<int>(op)]) + " " +
         std::to_string(n));
  return f.plan.short_write ? Verdict::kShort : Verdict::kFail;
}

void Track(std::intptr_t handle) {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().tracked.insert(handle);
  State().full.erase(handle);
}

bool IsTracked(std::intptr_t handle) {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().tracked.count(handle) != 0;
}

void Untrack(std::intptr_t handle) {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().tracked.erase(handle);
  State().full.erase(handle);
}

void MarkFull(std::intptr_t handle) {
  std::lock_guard<std::mutex> lock(State().mutex);
  State().full.insert(handle);
}

bool IsFull(std::intptr_t handle) {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().full.count(handle) != 0;
}

void ReportFileOperations() {
  std::string line = "file operations:";
  {
    std::lock_guard<std::mutex> lock(State().mutex);
    for (int i = 0; i < kOpCount; ++i)
      line += std::string(i ? ", " : " ") + kOpNames[i] + " " + std::to_string(State().calls[i]);
  }
  Report(line);
}

#ifdef _WIN32
namespace {

using CreateFileWFn = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
using WriteFileFn = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
using HandleFn = BOOL(WINAPI*)(HANDLE);
using MoveFileExWFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);
using DeleteFileWFn = BOOL(WINAPI*)(LPCWSTR);

void* g_create = nullptr;
void* g_write = nullptr;
void* g_flush = nullptr;
void* g_close = nullptr;
void* g_move = nullptr;
void* g_delete = nullptr;

std::intptr_t Key(HANDLE h) { return reinterpret_cast<std::intptr_t>(h); }

HANDLE WINAPI FaultyCreateFileW(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                DWORD disposition, DWORD flags, HANDLE templ) {
  bool writing = (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
  Verdict verdict = writing ? NextCall(FileOp::kOpen) : Verdict::kPass;
  if (verdict == Verdict::kKill) KillHost();
  if (verdict == Verdict::kFail) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE h = reinterpret_cast<CreateFileWFn>(g_create)(path, access, share, security, disposition, flags, templ);
  if (writing && h != INVALID_HANDLE_VALUE) Track(Key(h));
  return h;
}

BOOL WINAPI FaultyWriteFile(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  auto real = reinterpret_cast<WriteFileFn>(g_write);
  if (!IsTracked(Key(h))) return real(h, data, size, written, overlapped);
  if (written) *written = 0;
  if (IsFull(Key(h))) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  switch (NextCall(FileOp::kWrite)) {
    case Verdict::kFail:
      SetLastError(ERROR_WRITE_FAULT);
      return FALSE;
    case Verdict::kShort:
      MarkFull(Key(h));
      return real(h, data, size / 2, written, overlapped);
    case Verdict::kKill:
      real(h, data, size / 2, written, overlapped);
      KillHost();
    case Verdict::kPass:
      break;
  }
  return real(h, data, size, written, overlapped);
}

// Whether this call fails (its error then set); a kill ends the host here.
bool Fails(FileOp op, bool counted) {
  Verdict verdict = counted ? NextCall(op) : Verdict::kPass;
  if (verdict == Verdict::kKill) KillHost();
  if (verdict != Verdict::kFail) return false;
  // A rename or removal fails as on a network drive that went away: the
  // writer waits out a file held by another program (access denied,
  // sharing violation), not this.
  SetLastError(op == FileOp::kRename || op == FileOp::kRemove ? ERROR_DEV_NOT_EXIST : ERROR_WRITE_FAULT);
  return true;
}

BOOL WINAPI FaultyFlushFileBuffers(HANDLE h) {
  if (Fails(FileOp::kFlush, IsTracked(Key(h)))) return FALSE;
  return reinterpret_cast<HandleFn>(g_flush)(h);
}

BOOL WINAPI FaultyCloseHandle(HANDLE h) {
  bool tracked = IsTracked(Key(h));
  bool fails = Fails(FileOp::kClose, tracked);
  if (tracked) Untrack(Key(h));
  BOOL closed = reinterpret_cast<HandleFn>(g_close)(h);  // a failed close still releases the handle
  if (fails) SetLastError(ERROR_WRITE_FAULT);
  return fails ? FALSE : closed;
}

BOOL WINAPI FaultyMoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (Fails(FileOp::kRename, true)) return FALSE;
  return reinterpret_cast<MoveFileExWFn>(g_move)(from, to, flags);
}

BOOL WINAPI FaultyDeleteFileW(LPCWSTR path) {
  if (Fails(FileOp::kRemove, true)) return FALSE;
  return reinterpret_cast<DeleteFileWFn>(g_delete)(path);
}

void Route(HMODULE module, const char* function, void* replacement, void*& real) {
  void* previous = RouteImport(module, "kernel32.dll", function, replacement);
  if (previous && !real) real = previous;
}

void RouteFileImports(HMODULE module) {
  Route(module, "CreateFileW", reinterpret_cast<void*>(&FaultyCreateFileW), g_create);
  Route(module, "WriteFile", reinterpret_cast<void*>(&FaultyWriteFile), g_write);
  Route(module, "FlushFileBuffers", reinterpret_cast<void*>(&FaultyFlushFileBuffers), g_flush);
  Route(module, "CloseHandle", reinterpret_cast<void*>(&FaultyCloseHandle), g_close);
  Route(module, "MoveFileExW", reinterpret_cast<void*>(&FaultyMoveFileExW), g_move);
  Route(module, "DeleteFileW", reinterpret_cast<void*>(&FaultyDeleteFileW), g_delete);
}

// The stand-in host's own module: its SysFile writes the stock's STL file.
HMODULE OwnModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&OwnModule), &self);
  return self;
}

}  // namespace
#endif

void KillHost() {
#ifdef _WIN32
  TerminateProcess(GetCurrentProcess(), 128 + 9);
#else
  std::raise(SIGKILL);
#endif
  std::_Exit(128 + 9);
}

void InjectFileFaults(const FaultPlan& plan, void* add_in) {
  {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().plan = plan;
  }
#ifdef _WIN32
  if (add_in) RouteFileImports(static_cast<HMODULE>(add_in));
  if (HMODULE self = OwnModule(); self && self != add_in) RouteFileImports(self);
#else
  (void)add_in;
#endif
}

}  // namespace standin
