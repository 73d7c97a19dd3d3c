// The simulator's project file, rewritten from the template
// "default_template.prj" in the host's add-in folder.
#pragma once

#include "settings/link_settings.h"

namespace quenlo {

void WriteProjectFile(const LinkSettings& settings);

}  // namespace quenlo
