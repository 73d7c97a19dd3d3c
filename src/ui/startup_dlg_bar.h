// The settings panel: holds the scalar half of the settings record and the
// panel's state flags, shows and reads the record through its controls, and
// carries the user's commands. The link run docks it into the host's function
// panel and reads the flags and the record when the user is done.
#pragma once

#include <optional>
#include <string>

#include "host/dialog.h"
#include "nc_check/nc_check.h"
#include "settings/link_settings.h"

namespace quenlo::ui {

class CStartupDlgBar : public MCDialog {
 public:
  CStartupDlgBar();
  ~CStartupDlgBar() override;

  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool OnCommand(int control_id, int notification) override;  // the message map
  void OnClose() override;
  void OnPaint() override;
  void OnSize() override;
  void OnTimer(int timer_id) override;

  // Command handlers.
  void OnBrowseExe();
  void OnBrowseMch();
  void OnBrowseNc();
  void OnBrowsePrj();
  void OnBrowseTol();
  void OnBrowseWrk();
  void OnWcsRowChange();
  void OnRefRowChange();
  void OnLaunch();
  void OnLoadSettings();
  void OnSaveSettings();
  void OnFromWorkStock();  // the work-origin step
  void OnSaveToolsOnly();
  void OnCancelPanel();

  LinkSettings settings;
  unsigned char launch_requested = 0;
  unsigned char dialog_done = 0;
  unsigned char redraw_pending = 0;

 // The shown rows: the nine boxes of each table are loaded from row
  // wcs_num (ref_num), which becomes the shown row, or folded back into the
  // shown row.
  void LoadShownRows();
  void FoldShownRows();

  // The panel's file dialog (nothing when the user cancels) and message boxes
  // (AskYesNo: true for Yes).
  std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request);
  void ShowMessage(const std::wstring& text);
  bool AskYesNo(const std::wstring& text);

  // Before a launch: the NC program checked against what the hand-off will
  // carry. False when the user chose not to launch.
  bool ConfirmNcProgram();
  // How that check went, for the setup sheet of the launch.
  nc_check::CheckOutcome nc_check_outcome;

 private:
  void RestoreTypedOrigin();  // part_x, part_y, part_z = part_manual
  void FillSelectors();
  void SetUpButtonPictures();  // browse icons and the command buttons' bitmaps
  void RedrawCommandBand();
};

}  // namespace quenlo::ui
