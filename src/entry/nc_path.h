// The NC file name of a run: the flagged operation's NC name re-formed with
// the host's NC prefix and given the host's NC suffix.
#pragma once

#include <string>

namespace quenlo {

// The file name of `name` composed by the host with `prefix`.
std::wstring BuildNcPath(const std::wstring& name, const std::wstring& prefix);

// `path` with its file name's extension replaced by `suffix` (which brings its
// own dot). Only a dot in the file name counts, never one in a folder name. A
// name without a dot gets `suffix` appended, and so does a path whose first
// character is its last dot (".nc"); a name in a folder that starts with its
// only dot (E:\NC\.nc) has that dot and what follows replaced.
std::wstring ReplaceSuffix(const std::wstring& path, const std::wstring& suffix);

}  // namespace quenlo
