// The NC file name of a run: the flagged operation's NC name re-formed with
// the host's NC prefix and given the host's NC suffix.
#pragma once

#include <string>

namespace quenlo {

// The file name of `name` composed by the host with `prefix`.
std::wstring BuildNcPath(const std::wstring& name, const std::wstring& prefix);

// `path` with its file name's extension replaced by `suffix` (which brings its
// own dot). Only a dot in the file name counts, never one in a folder name; a
// name without a dot, or whose only dot starts it, gets `suffix` appended.
std::wstring ReplaceSuffix(const std::wstring& path, const std::wstring& suffix);

}  // namespace quenlo
