// The panel's life: construction, initialisation, data exchange, the message
// map and the endings.
#include "ui/startup_dlg_bar.h"

#include "common/messages.h"
#include "common/numbers.h"
#include "settings/settings_fields.h"
#include "settings/settings_store.h"
#include "ui/control_ids.h"
#include "ui/data_exchange.h"
#include "ui/file_guards.h"
#include "ui/panel_template.h"
#include "ui/required_fields.h"
#include "ui/row_labels.h"

namespace quenlo::ui {

CStartupDlgBar::CStartupDlgBar() : MCDialog(kPanelTemplate, nullptr, -1, false, 1, true) {}

CStartupDlgBar::~CStartupDlgBar() = default;

bool CStartupDlgBar::OnInitDialog() {
  MCDialog::OnInitDialog();
  launch_requested = 0;
  dialog_done = 0;
  redraw_pending = 1;
  // The typed work origin of the last confirmed run.
  double LinkSettings::* const origin[3] = {&LinkSettings::part_x, &LinkSettings::part_y, &LinkSettings::part_z};
  for (int i = 0; i < 3; ++i)
    settings.part_manual[i] = ParseStoredDouble(ReadStoreValue(WidenAscii(FieldOf(origin[i]).key), L"0"));
  DialogWindow* w = window();
  if (w) {
    w->AddString(kExeCombo, settings.exe);
    w->AddString(kExeCombo, settings.exe_alt);
  }
  FillSelectors();
  SetUpButtonPictures();
  LoadShownRows();
  UpdateData(false);
  if (settings.from_wrk_st) {
    RestoreTypedOrigin();
    UpdateData(false);
    OnFromWorkStock();
  }
  UpdateData(false);
  OnFromWorkStock();
  if (w) {
    w->SetTimer(kRedrawTimer, kRedrawPeriodMs);
    w->AddToolTip(kLaunch, messages::kTipLaunch);
    w->AddToolTip(kCancel, messages::kTipCancel);
    w->AddToolTip(kLoadSettings, messages::kTipLoad);
    w->AddToolTip(kSaveSettings, messages::kTipSave);
    w->AddToolTip(kSaveToolsOnly, messages::kTipToolsOnly);
    w->AddToolTip(kBrowseExe, messages::kTipBrowseExe);
  }
  return true;
}

// Both selectors hold their entries once, and every opening starts on row 0.
void CStartupDlgBar::FillSelectors() {
  DialogWindow* w = window();
  if (w) {
    w->ResetContent(kRefCombo);
    for (int i = 0; i < kRefEntries; ++i) w->AddString(kRefCombo, RefRowLabel(i));
  }
  settings.ref_num = 0;
  if (w) {
    w->ResetContent(kWcsCombo);
    for (int i = 0; i < kWcsEntries; ++i) w->AddString(kWcsCombo, WcsRowLabel(i));
  }
  settings.wcs_num = 0;
}

void CStartupDlgBar::DoDataExchange(CDataExchange* dx) {
  MCDialog::DoDataExchange(dx);
  LinkSettings& s = settings;
  for (const SettingsField& f : kSettingsFields) {
    const int id = ControlId(f.name);
    switch (f.kind) {
      case FieldKind::kPath: DDX_Text(dx, id, s.*f.text); break;
      case FieldKind::kNumber: DDX_Text(dx, id, s.*f.number); break;
      case FieldKind::kRowBox: DDX_Text(dx, id, (s.*f.row)[static_cast<size_t>(f.axis)]); break;
      case FieldKind::kRowSelector: DDX_CBIndex(dx, id, s.*f.integer); break;
      case FieldKind::kFlag: DDX_Check(dx, id, s.*f.integer); break;
    }
  }
  // A selector whose edit text was typed over selects no entry (-1): the
  // record keeps naming the row the boxes show, so no reader meets a row
  // index outside the lists.
  if (dx->m_bSaveAndValidate) {
    if (s.wcs_num < 0 || s.wcs_num >= kWcsEntries) s.wcs_num = s.wcs_shown;
    if (s.ref_num < 0 || s.ref_num >= kRefEntries) s.ref_num = s.ref_shown;
  }
}

bool CStartupDlgBar::OnCommand(int id, int notification) {
  if (notification == kCbnSelChange) {
    if (id == kWcsCombo) OnWcsRowChange();
    else if (id == kRefCombo) OnRefRowChange();
    else return MCDialog::OnCommand(id, notification);
    return true;
  }
  if (notification != kBnClicked) return MCDialog::OnCommand(id, notification);
  switch (id) {
    case kBrowseExe: OnBrowseExe(); break;
    case kBrowseMch: OnBrowseMch(); break;
    case kBrowseNc: OnBrowseNc(); break;
    case kBrowsePrj: OnBrowsePrj(); break;
    case kBrowseTol: OnBrowseTol(); break;
    case kBrowseWrk: OnBrowseWrk(); break;
    case kLaunch: OnLaunch(); break;
    case kLoadSettings: OnLoadSettings(); break;
    case kSaveSettings: OnSaveSettings(); break;
    case kFromWorkStock: OnFromWorkStock(); break;
    case kSaveToolsOnly: OnSaveToolsOnly(); break;
    case kCancel: OnCancelPanel(); break;
    default: return MCDialog::OnCommand(id, notification);
  }
  return true;
}

void CStartupDlgBar::OnLaunch() {
  // A refused box stops the launch: the rest of the record would go out with
  // the values it had before, unlike what the panel shows.
  if (!UpdateData(true)) return;
  FoldShownRows();
  // A launch without every required path would do nothing: say which are
  // missing and keep the panel open with everything typed.
  std::wstring empty = EmptyRequiredFields(settings);
  if (!empty.empty()) {
    ShowMessage(RequiredFieldsMessage(empty));
    return;
  }
  // Nothing is written over one of the job's own files, and no path goes
  // into the project file that would name another file there.
  for (const std::wstring& refusal : {SameFileMessage(LaunchFiles(settings)), UncarriedPathsMessage(settings)}) {
    if (refusal.empty()) continue;
    ShowMessage(refusal);
    return;
  }
  if (!ConfirmNcProgram()) return;  // the panel stays open as it is
  dialog_done = 1;
  launch_requested = 1;
  OnOK();
}

void CStartupDlgBar::OnCancelPanel() {
  dialog_done = 1;
  EndDialog(2);
}

void CStartupDlgBar::OnClose() {
  dialog_done = 1;
  MCDialog::OnClose();
}

void CStartupDlgBar::OnPaint() { redraw_pending = 1; }

void CStartupDlgBar::OnSize() {
  MCDialog::OnSize();
  redraw_pending = 1;
}

void CStartupDlgBar::OnTimer(int timer_id) {
  if (timer_id == kRedrawTimer) RedrawCommandBand();
  MCDialog::OnTimer(timer_id);
}

}  // namespace quenlo::ui
