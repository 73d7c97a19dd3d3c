#include "entry/entry_points.h"

#include <exception>

#include "entry/link_run.h"
#include "entry/resource_scope.h"
#include "host/dialog.h"
#include "host/machine_group.h"
#include "ui/panel_template.h"

namespace quenlo {
namespace {

const ResourceModule* g_module = &ui::AddinResources();

}  // namespace

void SetModuleResources(const ResourceModule* module) { g_module = module; }

}  // namespace quenlo

int m_version(int version) { return version / 100 == 28 ? version : 2800; }

int m_main(int) { return Run(0); }

int Run(int) {
  // Nothing may leave an export: an unexpected failure ends the run quietly.
  try {
    quenlo::ResourceScope scope(quenlo::g_module);
    if (!OMgetActiveMachineGroup(true)) {
      AfxMessageBox(L"マシングループがありません");
    } else {
      quenlo::LinkRun();
    }
  } catch (...) {
  }
  return 0;
}
