// The stand-in host's function panel on Windows: a top-level frame with the
// panel's title, and the add-in's dialog as its child, created from the
// template in the resources of the current resource module.
#pragma once
#ifdef _WIN32

#include <memory>
#include <string>

#include "host/dialog.h"
#include "host/resources.h"
#include "scripted_window.h"

namespace standin {

// Creates the frame and the dialog, reports the panel docked and initialises
// the dialog. Nothing (and nothing reported) when the module's resources do
// not hold the template.
std::unique_ptr<ScriptedWindow> CreateWin32Panel(const ResourceModule& resources, const DialogTemplate& names,
                                                 const std::wstring& title, MCDialog* dialog);

}  // namespace standin

#endif
