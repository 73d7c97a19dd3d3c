// Program start on POSIX: the program with the arguments that Windows would
// split from the parameter text, no shell. The program must never be our
// child (the host would be left with a zombie to reap), so an intermediate
// process starts it and exits at once; we wait only for that intermediate.
//
// Both processes are made as posix_spawn makes its child: they share our
// memory until the program replaces the second one, and we are suspended
// meanwhile. A fork of the host would copy its page tables and leave every
// page of the host to be copied on its next write: for a host that holds a
// large job, more work than writing the launch's files.
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ansi.h"
#include "platform/process.h"

extern char** environ;

namespace quenlo::platform {

void NotifyProgramStart(std::wstring_view exe, std::wstring_view parameters, bool started);

namespace {

StartResult FromErrno(int error) {
  switch (error) {
    case 0: return StartResult::kStarted;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG: return StartResult::kNotFound;
    case EACCES:
    case ENOEXEC:
    case EISDIR:
    case EPERM: return StartResult::kNotExecutable;
    default: return StartResult::kFailed;
  }
}

// The signal mask of this thread, set by the system call itself: the C
// library's functions leave its own internal signals unblocked.
void SetSignalMask(const sigset_t& mask, sigset_t* previous = nullptr) {
  syscall(SYS_rt_sigprocmask, SIG_SETMASK, &mask, previous, NSIG / 8);
}

// What the two processes share with us. Only what is async-signal-safe runs
// in them (signal actions, the signal mask, clone, execve, _exit), on stacks of
// their own, with every signal blocked until the program's mask is restored.
struct SpawnState {
  std::vector<std::string> candidates;  // the paths to try, in order
  char** argv = nullptr;
  sigset_t mask{};                      // the caller's signal mask, for the program
  char* stack = nullptr;                // the program's stack until it starts
  size_t stack_size = 0;
  int error = 0;                        // why the program did not start, or 0
};

// In the second process: run the program, or record why it could not run.
int StartInChild(void* arg) {
  auto* state = static_cast<SpawnState*>(arg);
  // No handler of the host may run here once signals are unblocked.
  for (int sig = 1; sig < NSIG; ++sig) {
    struct sigaction action {};
    if (sigaction(sig, nullptr, &action) != 0 || action.sa_handler == SIG_IGN || action.sa_handler == SIG_DFL)
      continue;
    action.sa_handler = SIG_DFL;
    action.sa_flags = 0;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
  }
  SetSignalMask(state->mask);
  // As posix_spawnp: a program not found under one folder of the path is
  // looked for in the next; one found there but not executable is the reason
  // given when no folder has it.
  bool denied = false;
  int error = 0;
  for (const std::string& candidate : state->candidates) {
    execve(candidate.c_str(), state->argv, environ);
    if (errno == EACCES) {
      denied = true;
    } else if (errno != ENOENT && errno != ENOTDIR) {
      error = errno;
      break;
    }
  }
  if (error == 0) error = denied ? EACCES : ENOENT;
  state->error = error;
  _exit(127);
}

// In the intermediate process: start the program's process and leave.
int StartIntermediate(void* arg) {
  auto* state = static_cast<SpawnState*>(arg);
  if (clone(StartInChild, state->stack + state->stack_size, CLONE_VM | CLONE_VFORK | SIGCHLD, state) < 0)
    state->error = errno;
  _exit(0);
}

// The paths to try for the program: itself when it names a folder, otherwise
// each folder of PATH with the name (as posix_spawnp searches).
std::vector<std::string> Candidates(const std::string& program) {
  if (program.find('/') != std::string::npos) return {program};
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/bin:/usr/bin";
  std::vector<std::string> candidates;
  size_t start = 0;
  for (;;) {
    size_t end = folders.find(':', start);
    std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
    candidates.push_back(folder.empty() ? program : folder + "/" + program);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return candidates;
}

StartResult Spawn(std::wstring_view exe, std::wstring_view parameters) {
  if (exe.empty()) return StartResult::kNotFound;
  std::string program = ToUtf8(exe);
  if (program.find('/') != std::string::npos) {
    struct stat st {};
    if (::stat(program.c_str(), &st) != 0) return FromErrno(errno);
    if (S_ISDIR(st.st_mode) || ::access(program.c_str(), X_OK) != 0) return StartResult::kNotExecutable;
  }
  std::vector<std::string> args{program};
  for (const std::wstring& a : SplitWindowsArguments(parameters)) args.push_back(ToUtf8(a));
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  SpawnState state;
  state.candidates = Candidates(program);
  state.argv = argv.data();
  // Two stacks of 64 KiB, the intermediate's first.
  constexpr size_t kStack = 64 * 1024;
  void* stacks = ::mmap(nullptr, 2 * kStack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
  if (stacks == MAP_FAILED) return StartResult::kFailed;
  state.stack = static_cast<char*>(stacks) + kStack;
  state.stack_size = kStack;

  sigset_t all;
  std::memset(&all, 0xFF, sizeof all);
  SetSignalMask(all, &state.mask);
  // CLONE_VFORK: we go on once the intermediate has left, and it leaves once
  // the program has replaced its own process or failed to.
  pid_t middle = clone(StartIntermediate, static_cast<char*>(stacks) + kStack, CLONE_VM | CLONE_VFORK | SIGCHLD,
                       &state);
  if (middle < 0) state.error = errno;
  SetSignalMask(state.mask);
  // Reaped here, unless the host ignores child signals and the system did.
  if (middle > 0)
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
  ::munmap(stacks, 2 * kStack);
  if (middle < 0) return StartResult::kFailed;
  return FromErrno(state.error);
}

}  // namespace

StartResult StartProgram(void*, std::wstring_view exe, std::wstring_view parameters) {
  StartResult result = Spawn(exe, parameters);
  NotifyProgramStart(exe, parameters, result == StartResult::kStarted);
  return result;
}

// The stand-in host links the add-in into itself: nothing is unloaded.
void KeepThisLibraryLoaded() {}

}  // namespace quenlo::platform
