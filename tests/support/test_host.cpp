#include "support/test_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "host_state.h"
#include "job.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/link_settings.h"

namespace fs = std::filesystem;

namespace testing_support {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path dir = fs::temp_directory_path() /
                 ("quenlo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(dir);
  path_ = dir.wstring() + static_cast<wchar_t>(fs::path::preferred_separator);
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only files too (Windows deletes no read-only file).
  for (fs::recursive_directory_iterator it(fs::path(path_), ec), end; !ec && it != end; it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(fs::path(path_), ec);
}

bool InstallJob(const std::string& json, const std::wstring& folder) {
  standin::Job job;
  standin::JobError error;
  bool ok = standin::ParseJob(json, folder + L"job.json", job, error);
  EXPECT_TRUE(ok) << error.message;
  if (!ok) return false;
  standin::InstallJob(job);
  return true;
}

const std::vector<std::string>& Transcript() { return standin::Host().transcript; }

std::vector<std::string> Messages() {
  std::vector<std::string> out;
  for (const std::string& line : Transcript())
    if (line.rfind("message: ", 0) == 0) out.push_back(line);
  return out;
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  quenlo::platform::ReadWholeFile(path, bytes);
  return bytes;
}

bool FileExists(const std::wstring& path) {
  return quenlo::platform::GetPathKind(path) == quenlo::platform::PathKind::kFile;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool MakeReadOnly(const std::wstring& path) {
  std::error_code ec;
  fs::permissions(fs::path(path), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, ec);
  return !ec;
}

void ClearTables() {
  for (auto& row : quenlo::WcsTable) row = {};
  for (auto& row : quenlo::RefTable) row = {};
}

}  // namespace testing_support
