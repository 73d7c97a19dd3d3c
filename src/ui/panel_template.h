// The add-in's own resources: the panel's dialog template 103, which the host
// loads from the add-in while a run has made the add-in the resource source.
#pragma once

#include "host/resources.h"

namespace quenlo::ui {

const ResourceModule& AddinResources();

// The id of the template's control with this script name (0 for none).
int ControlId(const wchar_t* name);

}  // namespace quenlo::ui
