// The launch's NC program check as the user meets it: one Yes/No box listing
// what the program uses that the hand-off lacks, shown only when there is
// something to list.
#include "nc_check/nc_check.h"
#include "settings/settings_fields.h"
#include "settings/settings_store.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {

bool CStartupDlgBar::ConfirmNcProgram() {
  nc_check_outcome = {};
  if (!ReadyToLaunch(settings)) return true;  // the run launches nothing anyway
  if (ReadStoreValue(L"nc_check", L"") == L"0") {  // switched off by the user
    nc_check_outcome.state = nc_check::CheckOutcome::kOff;
    return true;
  }
  std::vector<std::wstring> findings;
  std::shared_ptr<nc_check::NcFileReading> program;
  try {
    program = std::make_shared<nc_check::NcFileReading>();
    findings = nc_check::CheckNcProgram(settings.nc_file, WcsTable, program.get());
  } catch (...) {
    return true;  // out of memory, or a host call that threw: the launch goes on as without the check
  }
  if (findings.empty()) {
    nc_check_outcome = {nc_check::CheckOutcome::kClean, {}, std::move(program)};
    return true;
  }
  if (!AskYesNo(nc_check::LaunchQuestion(findings))) return false;
  nc_check_outcome = {nc_check::CheckOutcome::kFindings, std::move(findings), std::move(program)};
  return true;
}

}  // namespace quenlo::ui
