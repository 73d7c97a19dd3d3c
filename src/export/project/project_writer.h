// The simulator's project file, rewritten from the template
// "default_template.prj" in the host's add-in folder.
#pragma once

#include <string>

#include "settings/link_settings.h"

namespace quenlo {

// Writes the project file (and a solid stock's STL file). True when both were
// written; otherwise `failure` holds the message that names what could not be
// read or written, for the caller to show. When the template cannot be read
// or the project file cannot be written, nothing is written at all.
bool WriteProjectFile(const LinkSettings& settings, std::wstring& failure);

// The same, showing the failure message itself.
bool WriteProjectFile(const LinkSettings& settings);

}  // namespace quenlo
