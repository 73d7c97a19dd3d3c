// Whole-file operations on Windows, through the wide-character file API so
// that any path the user gives is used as it stands.
#include <windows.h>

#include <string>

#include "platform/files.h"

namespace quenlo::platform {
namespace {

constexpr wchar_t kTempMarker[] = L".quenlo-tmp-";

// The process that named a temporary file, when the rest of its name is a
// process id: "<name>.quenlo-tmp-<pid>".
bool TempOwner(const std::wstring& name, const std::wstring& prefix, DWORD& pid) {
  if (name.size() <= prefix.size() || name.size() > prefix.size() + 10 ||
      _wcsnicmp(name.c_str(), prefix.c_str(), prefix.size()) != 0)
    return false;
  unsigned long long id = 0;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < L'0' || name[i] > L'9') return false;
    id = id * 10 + (name[i] - L'0');
  }
  pid = static_cast<DWORD>(id);
  return id > 0 && id <= 0xFFFFFFFFull;
}

bool ProcessGone(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return gone;
}

// A writer that was killed leaves its temporary file beside the target. The
// next write of the same file removes those whose process is gone (a live
// one may be another host writing the same file just now).
void RemoveStaleTemps(const std::wstring& target) {
  size_t slash = target.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
  std::wstring prefix = (slash == std::wstring::npos ? target : target.substr(slash + 1)) + kTempMarker;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((target + kTempMarker + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DWORD pid = 0;
    if (!TempOwner(found.cFileName, prefix, pid) || pid == GetCurrentProcessId() || !ProcessGone(pid)) continue;
    DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

PathKind GetPathKind(std::wstring_view path) {
  if (path.empty()) return PathKind::kMissing;
  DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kDirectory : PathKind::kFile;
}

bool MakeDirectory(std::wstring_view path) {
  return !path.empty() && CreateDirectoryW(std::wstring(path).c_str(), nullptr) != 0;
}

bool ReadWholeFile(std::wstring_view path, std::string& bytes) {
  if (GetPathKind(path) != PathKind::kFile) return false;
  HANDLE file = CreateFileW(std::wstring(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string out;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
      ok = false;
      break;
    }
    if (read == 0) break;
    out.append(buffer, read);
  }
  CloseHandle(file);
  if (ok) bytes = std::move(out);
  return ok;
}

bool ReplaceFileContents(std::wstring_view path, std::string_view bytes) {
  if (path.empty() || GetPathKind(path) == PathKind::kDirectory) return false;
  std::wstring target(path);
  std::wstring temp = target + kTempMarker + std::to_wstring(GetCurrentProcessId());
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(bytes.size() - done > 0x40000000 ? 0x40000000 : bytes.size() - done);
    DWORD written = 0;
    ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  if (ok) ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  if (ok) RemoveStaleTemps(target);
  return ok;
}

bool RemoveFile(std::wstring_view path) {
  if (GetPathKind(path) == PathKind::kMissing) return true;
  return DeleteFileW(std::wstring(path).c_str()) != 0;
}

}  // namespace quenlo::platform
