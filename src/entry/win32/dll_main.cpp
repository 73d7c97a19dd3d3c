// Load and unload of Tarvik.dll, beside the entry points it serves: the module
// handle is recorded at load; the add-in's resources are the module's own.
#include <windows.h>

#include "entry/entry_points.h"
#include "ui/panel_template.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!instance) return FALSE;
    DisableThreadLibraryCalls(instance);
    // The template table with the module whose resources hold template 103,
    // its icon and its bitmaps.
    static ResourceModule module = quenlo::ui::AddinResources();
    module.instance = instance;
    quenlo::SetModuleResources(&module);
  }
  return TRUE;
}
