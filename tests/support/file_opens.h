// Counts how often one file is opened while an instance lives, seen from
// outside the code under test: on Linux through inotify, on Windows by routing
// this program's import of CreateFileW.
#pragma once

#include <string>

namespace testing_support {

class FileOpenCounter {
 public:
  // `path` must name an existing file.
  explicit FileOpenCounter(const std::wstring& path);
  ~FileOpenCounter();
  FileOpenCounter(const FileOpenCounter&) = delete;
  FileOpenCounter& operator=(const FileOpenCounter&) = delete;

  // Opens so far; -1 when the file could not be watched.
  int Count();

 private:
  std::wstring path_;
  int watch_ = -1;
  int count_ = 0;
};

}  // namespace testing_support
