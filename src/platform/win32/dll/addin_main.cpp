// Load and unload of Tarvik.dll: the module handle is recorded at load; the
// add-in's resources are the module's own.
#include <windows.h>

#include "entry/entry_points.h"
#include "ui/panel_template.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!instance) return FALSE;
    DisableThreadLibraryCalls(instance);
    quenlo::SetModuleResources(&quenlo::ui::AddinResources());
  }
  return TRUE;
}
