// Test helpers: a fresh temporary folder per test, and the stand-in host
// loaded from a job written inline.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// A new empty folder, removed with everything in it at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder, ending in a separator.
  const std::wstring& path() const { return path_; }
  // `name` inside the folder.
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

// Makes the stand-in host hold the job given as JSON text (UTF-8); relative
// paths resolve against `folder`. Fails the test (and returns false) when the
// job is not valid.
bool InstallJob(const std::string& json, const std::wstring& folder);

// The host's transcript lines since the job was installed.
const std::vector<std::string>& Transcript();
// Transcript lines starting with "message: ".
std::vector<std::string> Messages();

// Whole-file helpers.
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
// Takes every write permission away (Windows: the read-only attribute).
bool MakeReadOnly(const std::wstring& path);

// Resets the module-wide axis tables to zero.
void ClearTables();

}  // namespace testing_support
