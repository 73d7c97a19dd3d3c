// The names of the temporary files that a replacement writes beside its
// target: short, so that any file name that can exist can be replaced, and
// carrying the writing process's id, so that one left by a killed run can be
// told from one being written right now. Also what the back ends and the
// replacement batch tell each other of such files.
#pragma once

#include <string>
#include <string_view>

namespace quenlo::platform {

// The folder part of `path` with its trailing separator ("" for a bare name).
std::wstring FolderPart(std::wstring_view path);

// How many names a replacement tries before it gives up: each taken name
// means a writer of this process is at work in the same folder at once.
inline constexpr int kTempNameAttempts = 1000;

// "~quenlo-<pid>-<n>.tmp"
std::wstring TempFileName(unsigned long process_id, unsigned long serial);

// True when `name` is a temporary file name of this form; gives its process id.
bool IsTempFileName(std::wstring_view name, unsigned long& process_id);

// Whether the temporary files left in `folder` by killed runs are to be looked
// for now: always, but once a folder within a ReplacementBatch.
bool StaleScanDue(const std::wstring& folder);

// Removes the old bytes that replacements without `flush` swapped out of
// place and left under their temporary names (Linux, where the two names are
// swapped in one step), on a thread of its own: freeing a large file's blocks
// holds up the file system's next steps (a sync waited for it), and nothing of
// the launch needs them gone. The thread is waited for at the next call and
// at the process's end; a run that ends before leaves them to the next
// replacement in the folder. Windows: the old files kept under a second name,
// open to be deleted when closed, are closed on a pool thread. Called when a
// ReplacementBatch ends.
void RemoveSwappedOut();

}  // namespace quenlo::platform
