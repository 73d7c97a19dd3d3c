// The panel's commands that write files or end it early: saving the tool file
// alone, and loading and saving a settings file; and the panel's file dialog
// and message boxes.
#include "export/tools/tool_file_writer.h"
#include "ui/file_guards.h"
#include "ui/settings_file_commands.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {

void CStartupDlgBar::OnSaveToolsOnly() {
  if (!UpdateData(true)) return;  // the refused box has the focus; nothing is written
  if (settings.tol.empty()) OnBrowseTol();
  std::wstring same = SameFileMessage(ToolsOnlyFiles(settings));
  if (!same.empty()) {
    ShowMessage(same);
    return;
  }
  dialog_done = 1;
  // The shown rows are not folded: nothing but the tool file is written.
  WriteToolFile(settings.tol);
  EndDialog(2);
}

void CStartupDlgBar::OnLoadSettings() { LoadSettingsFile(*this); }

void CStartupDlgBar::OnSaveSettings() { SaveSettingsFile(*this); }

std::optional<std::wstring> CStartupDlgBar::RunFileDialog(const FileDialogRequest& request) {
  if (!window()) return std::nullopt;
  return window()->RunFileDialog(request);
}

void CStartupDlgBar::ShowMessage(const std::wstring& text) {
  if (window())
    window()->ShowMessage(text);
  else
    AfxMessageBox(text);
}

// Without a window there is nobody to ask: the launch goes on as it would
// without the question.
bool CStartupDlgBar::AskYesNo(const std::wstring& text) { return !window() || window()->AskYesNo(text); }

}  // namespace quenlo::ui
