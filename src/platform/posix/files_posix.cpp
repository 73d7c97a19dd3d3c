// Whole-file operations on POSIX. Wide paths become UTF-8 file names.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/ansi.h"
#include "platform/files.h"
#include "platform/temp_names.h"

namespace quenlo::platform {
namespace {

std::string NativePath(std::wstring_view path) { return ToUtf8(path); }

bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    data += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// A file whose mode has no write bit at all: Windows refuses to replace or
// delete a read-only file, and so does this back end, although unlink and
// rename would not ask (and the owner may be root).
bool IsReadOnly(const struct stat& st) { return S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0; }

bool ProcessIsAlive(unsigned long id) {
  if (id == 0 || id > 0x7FFFFFFF) return false;
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

// Temporary files in `folder` whose writer is gone (a killed run) are removed.
void RemoveStaleTempFiles(const std::wstring& folder) {
  std::string native = folder.empty() ? std::string(".") : NativePath(folder);
  DIR* dir = ::opendir(native.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    unsigned long id = 0;
    std::wstring name = FromUtf8(entry->d_name);
    if (IsTempFileName(name, id) && !ProcessIsAlive(id)) ::unlink(NativePath(folder + name).c_str());
  }
  ::closedir(dir);
}

unsigned long g_serial = 0;

std::mutex g_swapped_out_lock;
std::vector<std::string> g_swapped_out;  // temporary files holding old bytes

// An unsynced replacement of an existing file: the two names are swapped in
// one step and the old bytes, now under the temporary name, removed later
// (RemoveSwappedOut). Linux's
// ext4 starts writing a file's data to the disk at once when it is renamed
// over another (so that the replacement survives a crash), and the next
// synced write of the launch would then wait for it: a file written without
// sync is not worth that wait. Old bytes that cannot be removed stay in the
// temporary file, which a later replacement in the folder removes once this
// process has ended. kRename when there is nothing to swap with, or the file
// system cannot swap: the caller renames.
enum class Swap { kDone, kFailed, kRename };

Swap SwapIntoPlace(const std::string& temp, const std::string& target) {
#ifdef RENAME_EXCHANGE
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0)
    return errno == ENOENT || errno == EINVAL || errno == ENOSYS || errno == ENOTSUP ? Swap::kRename : Swap::kFailed;
  std::lock_guard<std::mutex> hold(g_swapped_out_lock);
  g_swapped_out.push_back(temp);
  return Swap::kDone;
#else
  return Swap::kRename;
#endif
}

// The parent folder resolved (links, "." and ".."), then the name: what a
// path to a file that does not exist yet will name once it does.
std::string FullForm(const std::string& path) {
  size_t cut = path.find_last_of('/');
  std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut == 0 ? 1 : cut);
  std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (!resolved) return path;
  std::string full(resolved);
  std::free(resolved);
  return full + (full.back() == '/' ? "" : "/") + name;
}

}  // namespace

PathKind GetPathKind(std::wstring_view path) {
  struct stat st {};
  if (path.empty() || ::stat(NativePath(path).c_str(), &st) != 0) return PathKind::kMissing;
  return S_ISDIR(st.st_mode) ? PathKind::kDirectory : PathKind::kFile;
}

bool SameFile(std::wstring_view a, std::wstring_view b) {
  if (a.empty() || b.empty()) return false;
  std::string native_a = NativePath(a), native_b = NativePath(b);
  struct stat sa {}, sb {};
  bool a_exists = ::stat(native_a.c_str(), &sa) == 0;
  bool b_exists = ::stat(native_b.c_str(), &sb) == 0;
  if (a_exists && b_exists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  if (a_exists != b_exists) return false;
  return FullForm(native_a) == FullForm(native_b);
}

bool MakeDirectory(std::wstring_view path) {
  return !path.empty() && ::mkdir(NativePath(path).c_str(), 0777) == 0;
}

struct FileReading::State {
  int fd = -1;
  size_t size = 0;
};

FileReading::FileReading(std::wstring_view path) : state_(std::make_unique<State>()) {
  if (path.empty()) return;
  // Opened without waiting (a pipe would block the open itself), then kept
  // only when what was opened is a regular file.
  int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  state_->fd = fd;
  state_->size = static_cast<size_t>(st.st_size);
}

FileReading::~FileReading() {
  if (state_->fd >= 0) ::close(state_->fd);
}

bool FileReading::open() const { return state_->fd >= 0; }

size_t FileReading::size() const { return state_->size; }

long long FileReading::Read(char* buffer, size_t room) {
  if (state_->fd < 0) return -1;
  for (;;) {
    ssize_t n = ::read(state_->fd, buffer, room);
    if (n >= 0 || errno != EINTR) return n;
  }
}

bool FileReading::SkipTo(size_t offset) {
  return state_->fd >= 0 && ::lseek(state_->fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

struct FileReplacement::State {
  std::string target;
  std::string temp;
  int fd = -1;
};

FileReplacement::FileReplacement(std::wstring_view path) : state_(std::make_unique<State>()) {
  if (path.empty()) return;
  struct stat st {};
  std::string target = NativePath(path);
  if (::stat(target.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || IsReadOnly(st))) return;
  std::wstring folder = FolderPart(path);
  if (StaleScanDue(folder)) RemoveStaleTempFiles(folder);
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < kTempNameAttempts; ++attempt) {
    temp = NativePath(folder + TempFileName(static_cast<unsigned long>(::getpid()), ++g_serial));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return;
  state_->target = std::move(target);
  state_->temp = std::move(temp);
  state_->fd = fd;
}

FileReplacement::~FileReplacement() {
  if (state_->fd < 0) return;
  ::close(state_->fd);
  ::unlink(state_->temp.c_str());
}

bool FileReplacement::ready() const { return state_->fd >= 0; }

bool FileReplacement::Commit(std::string_view bytes, bool flush) {
  if (state_->fd < 0) return false;
  int fd = state_->fd;
  state_->fd = -1;
  bool ok = WriteAll(fd, bytes) && (!flush || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  // The target may have become read-only since the temporary file was made.
  struct stat st {};
  if (ok && ::stat(state_->target.c_str(), &st) == 0 && IsReadOnly(st)) ok = false;
  const Swap swap = ok && !flush ? SwapIntoPlace(state_->temp, state_->target) : Swap::kRename;
  if (swap == Swap::kDone) return true;
  if (swap == Swap::kFailed) ok = false;
  if (ok) ok = std::rename(state_->temp.c_str(), state_->target.c_str()) == 0;
  if (!ok) ::unlink(state_->temp.c_str());
  return ok;
}

namespace {

// The thread that removes old bytes after a launch: joined before the next
// removal starts, and at the process's end.
struct Removal {
  std::thread thread;
  ~Removal() {
    if (thread.joinable()) thread.join();
  }
};

void RemoveAll(const std::vector<std::string>& files) {
  for (const std::string& file : files) ::unlink(file.c_str());
}

}  // namespace

void RemoveSwappedOut() {
  std::vector<std::string> files;
  {
    std::lock_guard<std::mutex> hold(g_swapped_out_lock);
    files.swap(g_swapped_out);
  }
  static Removal removal;
  if (removal.thread.joinable()) removal.thread.join();
  if (files.empty()) return;
  try {
    removal.thread = std::thread(RemoveAll, files);
  } catch (...) {
    RemoveAll(files);  // no thread to be had: removed here
  }
}

bool RemoveFile(std::wstring_view path) {
  struct stat st {};
  std::string native = NativePath(path);
  if (path.empty() || ::lstat(native.c_str(), &st) != 0) return true;
  if (IsReadOnly(st)) return false;
  return ::unlink(native.c_str()) == 0;
}

}  // namespace quenlo::platform
