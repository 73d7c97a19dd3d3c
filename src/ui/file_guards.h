// What a command must refuse before it writes anything, so that a slip of the
// user's never destroys a file or writes a path that names another file: an
// output that is one of the job's own files (the NC program, the machine
// file, the template ...) or another output, and a path that the project file
// cannot carry as it is.
#pragma once

#include <string>
#include <vector>

#include "settings/link_settings.h"

namespace quenlo::ui {

struct NamedFile {
  std::wstring label;  // as the panel names the field
  std::wstring path;
};

// The files a command writes, and the files it must leave as they are.
struct FileRoles {
  std::vector<NamedFile> outputs;
  std::vector<NamedFile> inputs;
};

// The launch: the tool file, the project file and a solid stock's STL file,
// against the NC program, the machine file, the stock file, the simulator and
// the project template.
FileRoles LaunchFiles(const LinkSettings& s);
// Saving the tool file alone: the tool file against every other file the
// record names and the template.
FileRoles ToolsOnlyFiles(const LinkSettings& s);
// Saving a settings file at `path`: against every file the record names and
// the template.
FileRoles SettingsFileFiles(const LinkSettings& s, const std::wstring& path);

// The message for the first output that is the same file as an input or as
// another output (as the file system sees it), naming both fields; empty when
// there is none.
std::wstring SameFileMessage(const FileRoles& roles);

// The message for the paths of the project file that the ANSI code page
// cannot carry, a line for each field with the characters it cannot write;
// empty when all of them can be written as they are.
std::wstring UncarriedPathsMessage(const LinkSettings& s);

}  // namespace quenlo::ui
