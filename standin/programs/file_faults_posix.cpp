// The POSIX seam of the stand-in host's file faults: quenlo-host is linked
// with -Wl,--wrap=open,--wrap=write,--wrap=fsync,--wrap=close,--wrap=rename,
// --wrap=renameat2,--wrap=unlink (a swap of two names counts as a rename),
// so the add-in's (and the host's) calls of these functions come here first.
// Calls from the sanitizer runtime and the C library's own
// internals are not wrapped.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>

#include "file_faults.h"

using standin::FileOp;
using standin::Verdict;

extern "C" {
int __real_open(const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_renameat2(int from_dir, const char* from, int to_dir, const char* to, unsigned int flags);
int __real_unlink(const char* path);

int __wrap_open(const char* path, int flags, ...) {
  int mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, int);
    va_end(args);
  }
  bool writing = (flags & O_ACCMODE) != O_RDONLY;
  Verdict verdict = writing ? standin::NextCall(FileOp::kOpen) : Verdict::kPass;
  if (verdict == Verdict::kKill) standin::KillHost();
  if (verdict == Verdict::kFail) {
    errno = EACCES;
    return -1;
  }
  int fd = __real_open(path, flags, mode);
  if (writing && fd >= 0) standin::Track(fd);
  return fd;
}

ssize_t __wrap_write(int fd, const void* data, size_t size) {
  if (!standin::IsTracked(fd)) return __real_write(fd, data, size);
  if (standin::IsFull(fd)) {
    errno = ENOSPC;
    return -1;
  }
  switch (standin::NextCall(FileOp::kWrite)) {
    case Verdict::kFail:
      errno = EIO;
      return -1;
    case Verdict::kShort:
      standin::MarkFull(fd);
      return __real_write(fd, data, size / 2);
    case Verdict::kKill:
      __real_write(fd, data, size / 2);
      standin::KillHost();
    case Verdict::kPass:
      break;
  }
  return __real_write(fd, data, size);
}

int __wrap_fsync(int fd) {
  Verdict verdict = standin::IsTracked(fd) ? standin::NextCall(FileOp::kFlush) : Verdict::kPass;
  if (verdict == Verdict::kKill) standin::KillHost();
  if (verdict == Verdict::kFail) {
    errno = EIO;
    return -1;
  }
  return __real_fsync(fd);
}

int __wrap_close(int fd) {
  bool tracked = standin::IsTracked(fd);
  Verdict verdict = tracked ? standin::NextCall(FileOp::kClose) : Verdict::kPass;
  if (verdict == Verdict::kKill) standin::KillHost();
  if (tracked) standin::Untrack(fd);
  int result = __real_close(fd);  // a failed close still releases the descriptor
  if (verdict == Verdict::kFail) {
    errno = EIO;
    return -1;
  }
  return result;
}

int __wrap_rename(const char* from, const char* to) {
  Verdict verdict = standin::NextCall(FileOp::kRename);
  if (verdict == Verdict::kKill) standin::KillHost();
  if (verdict == Verdict::kFail) {
    errno = EACCES;
    return -1;
  }
  return __real_rename(from, to);
}

int __wrap_renameat2(int from_dir, const char* from, int to_dir, const char* to, unsigned int flags) {
  Verdict verdict = standin::NextCall(FileOp::kRename);
  if (verdict == Verdict::kKill) standin::KillHost();
  if (verdict == Verdict::kFail) {
    errno = EACCES;
    return -1;
  }
  return __real_renameat2(from_dir, from, to_dir, to, flags);
}

int __wrap_unlink(const char* path) {
  Verdict verdict = standin::NextCall(FileOp::kRemove);
  if (verdict == Verdict::kKill) standin::KillHost();
  if (verdict == Verdict::kFail) {
    errno = EACCES;
    return -1;
  }
  return __real_unlink(path);
}
}
