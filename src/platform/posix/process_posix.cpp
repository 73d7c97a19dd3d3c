// Program start on POSIX: posix_spawn of the program with the arguments that
// Windows would split from the parameter text, no shell. An intermediate child
// starts the program and exits at once, so the program is never our child and
// never left as a zombie; we wait only for that intermediate, not the program.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

StartResult Spawn(std::wstring_view exe, std::wstring_view parameters) {
  if (exe.empty()) return StartResult::kNotFound;
  std::string program = ToUtf8(exe);
  bool search = program.find('/') == std::string::npos;  // a bare name is looked up on the path
  if (!search) {
    struct stat st {};
    if (::stat(program.c_str(), &st) != 0) return FromErrno(errno);
    if (S_ISDIR(st.st_mode) || ::access(program.c_str(), X_OK) != 0) return StartResult::kNotExecutable;
  }
  std::vector<std::string> args{program};
  for (const std::wstring& a : SplitWindowsArguments(parameters)) args.push_back(ToUtf8(a));
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The intermediate reports the start's result through a pipe, which works
  // even where the host ignores SIGCHLD and its children are reaped for it.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return StartResult::kFailed;
  pid_t middle = ::fork();
  if (middle < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return StartResult::kFailed;
  }
  if (middle == 0) {
    ::close(report[0]);
    pid_t child = 0;
    int rc = search ? ::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
                    : ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    ssize_t written = ::write(report[1], &rc, sizeof rc);
    ::_exit(written == sizeof rc ? 0 : 1);
  }
  ::close(report[1]);
  int rc = -1;
  ssize_t got;
  do {
    got = ::read(report[0], &rc, sizeof rc);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  if (got != sizeof rc) return StartResult::kFailed;
  return FromErrno(rc);
}

}  // namespace

StartResult StartProgram(void*, std::wstring_view exe, std::wstring_view parameters) {
  StartResult result = Spawn(exe, parameters);
  NotifyProgramStart(exe, parameters, result == StartResult::kStarted);
  return result;
}

}  // namespace quenlo::platform
