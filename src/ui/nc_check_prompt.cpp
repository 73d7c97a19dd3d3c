// The launch's NC program check as the user meets it: one Yes/No box listing
// what the program uses that the hand-off lacks, shown only when there is
// something to list.
#include "nc_check/nc_check.h"
#include "settings/settings_fields.h"
#include "settings/settings_store.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {

bool CStartupDlgBar::ConfirmNcProgram() {
  if (!ReadyToLaunch(settings)) return true;                // the run launches nothing anyway
  if (ReadStoreValue(L"nc_check", L"") == L"0") return true;  // switched off by the user
  std::vector<std::wstring> findings;
  try {
    findings = nc_check::CheckNcProgram(settings.nc_file, WcsTable);
  } catch (...) {
    return true;  // out of memory, or a host call that threw: the launch goes on as without the check
  }
  if (findings.empty()) return true;
  return AskYesNo(nc_check::LaunchQuestion(findings));
}

}  // namespace quenlo::ui
