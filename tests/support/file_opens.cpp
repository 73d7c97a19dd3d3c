#include "support/file_opens.h"

#ifdef _WIN32
#include <windows.h>

#include "import_route.h"
#else
#include <sys/inotify.h>
#include <unistd.h>

#include "platform/ansi.h"
#endif

namespace testing_support {

#ifdef _WIN32
namespace {

using CreateFileWFn = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
CreateFileWFn g_real_create_file = nullptr;
const std::wstring* g_watched = nullptr;
int g_opens = 0;

// The full form of a path, so that "a/b" and "A\b" name the same file.
std::wstring FullPath(LPCWSTR path) {
  wchar_t buffer[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(path, MAX_PATH * 4, buffer, nullptr);
  return n > 0 && n < MAX_PATH * 4 ? std::wstring(buffer, n) : std::wstring(path);
}

HANDLE WINAPI CountingCreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                  DWORD disposition, DWORD flags, HANDLE model) {
  if (name && g_watched && lstrcmpiW(FullPath(name).c_str(), g_watched->c_str()) == 0) ++g_opens;
  return g_real_create_file(name, access, share, security, disposition, flags, model);
}

}  // namespace

FileOpenCounter::FileOpenCounter(const std::wstring& path) : path_(FullPath(path.c_str())) {
  g_opens = 0;
  g_watched = &path_;
  g_real_create_file = reinterpret_cast<CreateFileWFn>(
      standin::RouteImport(GetModuleHandleW(nullptr), "kernel32.dll", "CreateFileW",
                           reinterpret_cast<void*>(&CountingCreateFileW)));
  watch_ = g_real_create_file ? 1 : -1;
}

FileOpenCounter::~FileOpenCounter() {
  if (g_real_create_file)
    standin::RouteImport(GetModuleHandleW(nullptr), "kernel32.dll", "CreateFileW",
                         reinterpret_cast<void*>(g_real_create_file));
  g_watched = nullptr;
}

int FileOpenCounter::Count() { return watch_ < 0 ? -1 : g_opens; }

#else

FileOpenCounter::FileOpenCounter(const std::wstring& path) : path_(path) {
  watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  // Closes are watched too: the kernel merges an event with an identical one
  // still queued, so back-to-back opens alone would read as one.
  if (watch_ >= 0 && inotify_add_watch(watch_, quenlo::platform::ToUtf8(path).c_str(), IN_OPEN | IN_CLOSE) < 0) {
    close(watch_);
    watch_ = -1;
  }
}

FileOpenCounter::~FileOpenCounter() {
  if (watch_ >= 0) close(watch_);
}

int FileOpenCounter::Count() {
  if (watch_ < 0) return -1;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    ssize_t n = read(watch_, buffer, sizeof buffer);
    if (n <= 0) break;
    for (char* p = buffer; p < buffer + n;) {
      auto* event = reinterpret_cast<inotify_event*>(p);
      if (event->mask & IN_OPEN) ++count_;
      p += sizeof(inotify_event) + event->len;
    }
  }
  return count_;
}

#endif

}  // namespace testing_support
