// Whole-file operations on paths given as wide text. Every file of the add-in is
// read whole or written whole in one operation; a written file is either
// complete or not there (or still the previous one).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quenlo::platform {

// The separator of the add-in's own path joins.
#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

enum class PathKind { kMissing, kFile, kDirectory };

// kFile for anything there that is not a folder (a device or a pipe too).
PathKind GetPathKind(std::wstring_view path);

// Whether two paths name one file as the file system sees it: letter case
// where the system ignores it, "." and "..", short names and links all
// resolved. Two files that exist are the same when they are one file; a file
// that exists is never the same as one that does not; two paths to files that
// do not exist yet are the same when their full forms are. False when either
// path is empty.
bool SameFile(std::wstring_view a, std::wstring_view b);

// Creates one folder level. False when it could not be created.
bool MakeDirectory(std::wstring_view path);

// Reads the whole file. False when it cannot be opened or read, and for
// anything that is not a regular file (a pipe or a device would never end or
// never answer), exactly as for a missing file.
bool ReadWholeFile(std::wstring_view path, std::string& bytes);

// The file's last `count` bytes, or all of a shorter file (from the size at
// opening to the end, as ReadWholeFile reads); false as for ReadWholeFile.
bool ReadFileEnd(std::wstring_view path, size_t count, std::string& bytes);

// A file opened for reading piece by piece, for files too large to hold
// whole (an NC program of millions of blocks). What may be opened is what
// ReadWholeFile reads: a regular file. Another process may replace or delete
// the file meanwhile; the bytes opened are the ones read.
class FileReading {
 public:
  explicit FileReading(std::wstring_view path);
  ~FileReading();
  FileReading(const FileReading&) = delete;
  FileReading& operator=(const FileReading&) = delete;

  bool open() const;
  // The file's size when it was opened.
  size_t size() const;
  // Reads up to `room` bytes into `buffer`: the count read, 0 at the end,
  // -1 on failure (and when the file is not open).
  long long Read(char* buffer, size_t room);
  // Moves the reading to `offset` bytes from the file's start.
  bool SkipTo(size_t offset);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A file being replaced whole. The temporary file beside it (a short name in
// the same folder) is created at once, and only as a new file: a name that is
// taken (another writer in the same process, the host's own) is passed over
// for the next one, so no writer is ever handed another's file. It is created so that whether the file can be written is
// known before anything else is written; Commit fills it and renames it into
// place. A target that is read-only or a folder is refused. Temporary files
// that killed runs left in the folder are removed on the way.
class FileReplacement {
 public:
  explicit FileReplacement(std::wstring_view path);
  // Uncommitted: the temporary file goes, the file at the path stays as it was.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // The temporary file is there, ready for Commit.
  bool ready() const;
  // Writes the bytes and puts the file in place. False (and the file at the
  // path as it was) when any step fails or the replacement was not ready.
  // With `flush` the bytes reach the disk before the rename; a page for people
  // that every launch writes again may go without (after a power failure it
  // may then be empty, never a mixture of two versions).
  bool Commit(std::string_view bytes, bool flush = true);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Writes bytes to a temporary file beside `path`, then renames it into place,
// replacing any file there (see FileReplacement).
bool ReplaceFileContents(std::wstring_view path, std::string_view bytes, bool flush = true);

// The replacements of one launch, one after another in a few folders. While a
// batch lives, a folder's temporary files left by killed runs are looked for
// at its first replacement only (a folder read through the file API costs
// more than a small file's write under Wine); when it ends, the old bytes that
// its replacements swapped out of place are removed (RemoveSwappedOut).
class ReplacementBatch {
 public:
  ReplacementBatch();
  ~ReplacementBatch();
  ReplacementBatch(const ReplacementBatch&) = delete;
  ReplacementBatch& operator=(const ReplacementBatch&) = delete;
};

// Deletes a file. A missing file is no error; false when a file is still there
// (a read-only file is not deleted).
bool RemoveFile(std::wstring_view path);

}  // namespace quenlo::platform
