// The simulator's project file, rewritten from the template
// "default_template.prj" in the host's add-in folder.
#pragma once

#include <string>

#include "settings/link_settings.h"

namespace quenlo {

// The template: "default_template.prj" in the host's add-in folder.
std::wstring ProjectTemplatePath();

// Writes the project file (and a solid stock's STL file). True when both were
// written; otherwise `failure` holds the message that names what could not be
// read or written, for the caller to show. When the template cannot be read
// or the project file cannot be written, nothing is written at all; so it is
// when the template holds none of the keys the rewrite replaces (empty, not
// text, or text in another encoding than the ANSI code page): such a file
// cannot be a project template, and the old project file stays.
bool WriteProjectFile(const LinkSettings& settings, std::wstring& failure);

// The same, showing the failure message itself.
bool WriteProjectFile(const LinkSettings& settings);

}  // namespace quenlo
