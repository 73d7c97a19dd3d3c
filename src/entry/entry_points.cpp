#include "entry/entry_points.h"

#include <exception>

#include "common/messages.h"
#include "entry/link_run.h"
#include "entry/resource_scope.h"
#include "host/dialog.h"
#include "host/machine_group.h"
#include "ui/panel_template.h"

namespace quenlo {
namespace {

const ResourceModule* g_module = &ui::AddinResources();

// What the user sees of a failure that nothing else reported: the run has
// stopped where it was (files already in place stay), and why, when the
// failure says so in plain ASCII.
void ReportUnexpectedFailure(const char* what) {
  std::wstring text = messages::kUnexpectedFailure;
  std::wstring detail;
  for (const char* p = what; p && *p; ++p) {
    if (*p < 0x20 || *p > 0x7E) {
      detail.clear();
      break;
    }
    detail += static_cast<wchar_t>(*p);
  }
  if (!detail.empty()) text += L"\n(" + detail + L")";
  try {
    AfxMessageBox(text);
  } catch (...) {
  }
}

}  // namespace

void SetModuleResources(const ResourceModule* module) { g_module = module; }

}  // namespace quenlo

int m_version(int version) { return version / 100 == 28 ? version : 2800; }

int m_main(int) { return Run(0); }

int Run(int) {
  // Nothing may leave an export: an unexpected failure ends the run, and is
  // shown once.
  try {
    quenlo::ResourceScope scope(quenlo::g_module);
    if (!OMgetActiveMachineGroup(true)) {
      AfxMessageBox(quenlo::messages::kNoMachineGroup);
    } else {
      quenlo::LinkRun();
    }
  } catch (const std::exception& failure) {
    quenlo::ReportUnexpectedFailure(failure.what());
  } catch (...) {
    quenlo::ReportUnexpectedFailure(nullptr);
  }
  return 0;
}
