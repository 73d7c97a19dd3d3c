// Whole-file operations on Windows, through the wide-character file API so
// that any path the user gives is used as it stands.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/temp_names.h"

namespace quenlo::platform {
namespace {

bool ProcessIsAlive(unsigned long id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return alive;
}

// Temporary files in `folder` whose writer is gone (a killed run) are removed.
void RemoveStaleTempFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"~quenlo-*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    unsigned long id = 0;
    if (IsTempFileName(found.cFileName, id) && !ProcessIsAlive(id)) DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

unsigned long g_serial = 0;

// Makes a file of this process under the next free temporary name in
// `folder`: `make` creates it only as a new name, and a name that is taken is
// passed over. The name, or "" when it could not be made.
template <typename Make>
std::wstring MakeTempFile(const std::wstring& folder, Make make) {
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    std::wstring name = folder + TempFileName(GetCurrentProcessId(), ++g_serial);
    if (make(name)) return name;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::wstring();
}

// Puts the finished temporary file in the target's place. Another program may
// hold the target open for a moment (a virus scanner looking at the last file
// we wrote, another host reading the store), which Windows reports as access
// denied or a sharing violation: that is tried again for up to about a second
// before the write counts as failed. (A read-only target never gets here: it
// is refused before anything is written.) Any other refusal is final at once.
// The rename reaches the disk before the call returns when the bytes did
// (`flush`); for bytes that were not synced that wait would buy nothing.
bool MoveOver(const std::wstring& temp, const std::wstring& target, bool flush) {
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (flush ? MOVEFILE_WRITE_THROUGH : 0);
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(temp.c_str(), target.c_str(), flags)) return true;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == 20) return false;
    Sleep(50);
  }
}

// An unsynced replacement keeps the file it replaces under a second name (a
// hard link with a temporary name), so that the rename over it frees none of
// its blocks: freeing a large file's blocks inside the rename cost the launch
// as much as writing it. The second name is then opened to be deleted when
// closed, and closed after the launch on a pool thread (RemoveSwappedOut), or
// when this library is unloaded or the process ends: Windows deletes the file
// then whatever becomes of the thread. No file system with hard links (FAT,
// some network drives): the rename frees the old file itself.
std::wstring LinkOldFile(const std::wstring& target) {
  return MakeTempFile(FolderPart(target), [&target](const std::wstring& name) {
    return CreateHardLinkW(name.c_str(), target.c_str(), nullptr) != 0;
  });
}

// The old files waiting to be closed. The slots are taken and emptied without
// a lock, as they are emptied once more when the library is unloaded or the
// process ends, after Windows has stopped the other threads wherever they
// stood (the pool thread among them).
std::atomic<HANDLE> g_kept[8];

void CloseKept() {
  for (std::atomic<HANDLE>& slot : g_kept)
    if (HANDLE h = slot.exchange(nullptr)) CloseHandle(h);
}

struct CloseKeptAtEnd {
  ~CloseKeptAtEnd() { CloseKept(); }
} g_close_kept_at_end;

// After the rename: the old file, now only under `link`, is deleted at its
// handle's close; at once when it cannot be kept.
void DeleteLater(const std::wstring& link) {
  HANDLE h = CreateFileW(link.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DeleteFileW(link.c_str());
    return;
  }
  for (std::atomic<HANDLE>& slot : g_kept) {
    HANDLE empty = nullptr;
    if (slot.compare_exchange_strong(empty, h)) return;
  }
  CloseHandle(h);
}

DWORD WINAPI CloseKeptWork(void*) {
  CloseKept();
  return 0;
}

// The file's identity (volume and file index), for a file or folder that
// exists; opened without asking for any access, so nothing is held from others.
bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  return ok;
}

// The full path ("." and ".." gone) with its folder's short names made long:
// what a path to a file that does not exist yet will name once it does.
std::wstring FullForm(const std::wstring& path) {
  DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(size);
  std::wstring folder = FolderPart(full);
  DWORD long_size = folder.empty() ? 0 : GetLongPathNameW(folder.c_str(), nullptr, 0);
  if (long_size == 0) return full;
  std::wstring long_folder(long_size, L'\0');
  long_size = GetLongPathNameW(folder.c_str(), long_folder.data(), long_size);
  long_folder.resize(long_size);
  return long_folder + full.substr(folder.size());
}

}  // namespace

bool SameFile(std::wstring_view a, std::wstring_view b) {
  if (a.empty() || b.empty()) return false;
  std::wstring path_a(a), path_b(b);
  bool a_exists = GetPathKind(path_a) != PathKind::kMissing, b_exists = GetPathKind(path_b) != PathKind::kMissing;
  if (a_exists != b_exists) return false;
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (a_exists && FileIdentity(path_a, ia) && FileIdentity(path_b, ib))
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
  // Files not there yet, or one that another program holds so that it cannot
  // even be asked who it is: their full paths, in any letter case.
  std::wstring full_a = FullForm(path_a), full_b = FullForm(path_b);
  return CompareStringOrdinal(full_a.c_str(), static_cast<int>(full_a.size()), full_b.c_str(),
                              static_cast<int>(full_b.size()), TRUE) == CSTR_EQUAL;
}

PathKind GetPathKind(std::wstring_view path) {
  if (path.empty()) return PathKind::kMissing;
  DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kDirectory : PathKind::kFile;
}

bool MakeDirectory(std::wstring_view path) {
  return !path.empty() && CreateDirectoryW(std::wstring(path).c_str(), nullptr) != 0;
}

struct FileReading::State {
  HANDLE file = INVALID_HANDLE_VALUE;
  size_t size = 0;
};

FileReading::FileReading(std::wstring_view path) : state_(std::make_unique<State>()) {
  if (GetPathKind(path) != PathKind::kFile) return;
  // Another process may replace the file while we read it: we keep reading
  // the bytes we opened.
  HANDLE file = CreateFileW(std::wstring(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  // Only a file on disk: a pipe or a device would never end or never answer.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) size.QuadPart = 0;
  state_->file = file;
  state_->size = static_cast<size_t>(size.QuadPart);
}

FileReading::~FileReading() {
  if (state_->file != INVALID_HANDLE_VALUE) CloseHandle(state_->file);
}

bool FileReading::open() const { return state_->file != INVALID_HANDLE_VALUE; }

size_t FileReading::size() const { return state_->size; }

long long FileReading::Read(char* buffer, size_t room) {
  if (state_->file == INVALID_HANDLE_VALUE) return -1;
  DWORD read = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(room, 1u << 30));
  return ReadFile(state_->file, buffer, want, &read, nullptr) ? static_cast<long long>(read) : -1;
}

bool FileReading::SkipTo(size_t offset) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  return state_->file != INVALID_HANDLE_VALUE && SetFilePointerEx(state_->file, to, nullptr, FILE_BEGIN);
}

struct FileReplacement::State {
  std::wstring target;
  std::wstring temp;
  HANDLE file = INVALID_HANDLE_VALUE;
};

FileReplacement::FileReplacement(std::wstring_view path) : state_(std::make_unique<State>()) {
  if (path.empty()) return;
  std::wstring target(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  // A folder, or a read-only file, which MoveFileExW would refuse only after
  // the whole temporary file had been written.
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    return;
  std::wstring folder = FolderPart(path);
  if (StaleScanDue(folder)) RemoveStaleTempFiles(folder);
  HANDLE file = INVALID_HANDLE_VALUE;
  std::wstring temp = MakeTempFile(folder, [&file](const std::wstring& name) {
    file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE;
  });
  if (temp.empty()) return;
  state_->target = std::move(target);
  state_->temp = std::move(temp);
  state_->file = file;
}

FileReplacement::~FileReplacement() {
  if (state_->file == INVALID_HANDLE_VALUE) return;
  CloseHandle(state_->file);
  DeleteFileW(state_->temp.c_str());
}

bool FileReplacement::ready() const { return state_->file != INVALID_HANDLE_VALUE; }

bool FileReplacement::Commit(std::string_view bytes, bool flush) {
  if (state_->file == INVALID_HANDLE_VALUE) return false;
  HANDLE file = state_->file;
  state_->file = INVALID_HANDLE_VALUE;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(bytes.size() - done > 0x40000000 ? 0x40000000 : bytes.size() - done);
    DWORD written = 0;
    ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  if (flush) ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  const std::wstring link = ok && !flush ? LinkOldFile(state_->target) : std::wstring();
  if (ok) ok = MoveOver(state_->temp, state_->target, flush);
  if (!ok) DeleteFileW(state_->temp.c_str());
  if (!link.empty()) {
    if (ok) {
      DeleteLater(link);
    } else {
      // The old file is still in place under its own name. A program that
      // holds it without sharing deletion (which also refused the rename)
      // keeps this second name too, until a later run clears it away.
      DeleteFileW(link.c_str());
    }
  }
  return ok;
}

void RemoveSwappedOut() {
  bool kept = false;
  for (std::atomic<HANDLE>& slot : g_kept) kept = kept || slot.load() != nullptr;
  if (!kept) return;
  // The pool thread runs this library's code after Run has returned.
  KeepThisLibraryLoaded();
  if (!QueueUserWorkItem(CloseKeptWork, nullptr, WT_EXECUTEDEFAULT)) CloseKept();
}

bool RemoveFile(std::wstring_view path) {
  if (GetPathKind(path) == PathKind::kMissing) return true;
  return DeleteFileW(std::wstring(path).c_str()) != 0;
}

}  // namespace quenlo::platform
