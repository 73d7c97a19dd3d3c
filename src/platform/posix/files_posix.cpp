// Whole-file operations on POSIX. Wide paths become UTF-8 file names.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/ansi.h"
#include "platform/files.h"

namespace quenlo::platform {
namespace {

std::string NativePath(std::wstring_view path) { return ToUtf8(path); }

constexpr char kTempMarker[] = ".quenlo-tmp-";

std::string TempPath(const std::string& target, pid_t pid) { return target + kTempMarker + std::to_string(pid); }

// The process that named a temporary file, when the rest of its name is a
// process id: "<name>.quenlo-tmp-<pid>".
bool TempOwner(const std::string& name, const std::string& prefix, pid_t& pid) {
  if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  pid = 0;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
    pid = pid * 10 + (name[i] - '0');
  }
  return pid > 0;
}

// A writer that was killed leaves its temporary file beside the target. The
// next write of the same file removes those whose process is gone (a live
// one may be another host writing the same file just now).
void RemoveStaleTemps(const std::string& target) {
  size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + kTempMarker;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    pid_t pid = 0;
    if (!TempOwner(entry->d_name, prefix, pid) || pid == ::getpid()) continue;
    if (::kill(pid, 0) == 0 || errno == EPERM) continue;
    ::unlink((folder + entry->d_name).c_str());
  }
  ::closedir(dir);
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

PathKind GetPathKind(std::wstring_view path) {
  struct stat st {};
  if (path.empty() || ::stat(NativePath(path).c_str(), &st) != 0) return PathKind::kMissing;
  return S_ISDIR(st.st_mode) ? PathKind::kDirectory : PathKind::kFile;
}

bool MakeDirectory(std::wstring_view path) {
  return !path.empty() && ::mkdir(NativePath(path).c_str(), 0777) == 0;
}

bool ReadWholeFile(std::wstring_view path, std::string& bytes) {
  if (GetPathKind(path) != PathKind::kFile) return false;
  int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::string out;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (ok) bytes = std::move(out);
  return ok;
}

bool ReplaceFileContents(std::wstring_view path, std::string_view bytes) {
  if (path.empty() || GetPathKind(path) == PathKind::kDirectory) return false;
  std::string target = NativePath(path);
  std::string temp = TempPath(target, ::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  if (ok) RemoveStaleTemps(target);
  return ok;
}

bool RemoveFile(std::wstring_view path) {
  if (GetPathKind(path) == PathKind::kMissing) return true;
  return ::unlink(NativePath(path).c_str()) == 0;
}

}  // namespace quenlo::platform
