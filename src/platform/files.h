// Whole-file operations on paths given as wide text. Every file of the add-in is
// read whole or written whole in one operation; a written file is either
// complete or not there (or still the previous one).
#pragma once

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

PathKind GetPathKind(std::wstring_view path);

// Creates one folder level. False when it could not be created.
bool MakeDirectory(std::wstring_view path);

// Reads the whole file. False when it cannot be opened or read.
bool ReadWholeFile(std::wstring_view path, std::string& bytes);

// Writes bytes to a temporary file beside `path`, then renames it into place,
// replacing any file there. On failure the temporary file is removed and the
// file at `path` is as it was.
bool ReplaceFileContents(std::wstring_view path, std::string_view bytes);

// Deletes a file. A missing file is no error; false when a file is still there.
bool RemoveFile(std::wstring_view path);

}  // namespace quenlo::platform
