// The panel's commands that come with the full panel: browsing, row changes,
// the work-origin step, saving the tool file alone, and settings files.
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {

void CStartupDlgBar::OnBrowseExe() {}
void CStartupDlgBar::OnBrowseMch() {}
void CStartupDlgBar::OnBrowseNc() {}
void CStartupDlgBar::OnBrowsePrj() {}
void CStartupDlgBar::OnBrowseTol() {}
void CStartupDlgBar::OnBrowseWrk() {}
void CStartupDlgBar::OnWcsRowChange() {}
void CStartupDlgBar::OnRefRowChange() {}
void CStartupDlgBar::OnLoadSettings() {}
void CStartupDlgBar::OnSaveSettings() {}
void CStartupDlgBar::OnFromWorkStock() {}
void CStartupDlgBar::OnSaveToolsOnly() {}

}  // namespace quenlo::ui
