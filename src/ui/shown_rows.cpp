// The two tables' shown rows: loading the nine boxes of each table from the
// selected row, folding them back into the row they show, and the selectors'
// row changes.
#include "ui/row_labels.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {
namespace {

// The selected row, or the shown one when the selector holds no entry of the
// list (an editable combo whose text was typed over answers -1).
int SelectedRow(int selected, int shown, int entries) {
  return selected >= 0 && selected < entries ? selected : shown;
}

bool InTable(int row, int rows) { return row >= 0 && row < rows; }

void Fold(AxisRow* table, int rows, int shown, const AxisRow& edit) {
  if (InTable(shown, rows)) table[shown] = edit;
}

// Loads the boxes from the selected row, which becomes the shown row.
void Load(const AxisRow* table, int entries, int& selected, int& shown, AxisRow& edit) {
  selected = SelectedRow(selected, shown, entries);
  if (!InTable(selected, entries)) selected = 0;
  edit = table[selected];
  shown = selected;
}

}  // namespace

void CStartupDlgBar::LoadShownRows() {
  LinkSettings& s = settings;
  Load(RefTable, kRefEntries, s.ref_num, s.ref_shown, s.ref_edit);
  Load(WcsTable, kWcsEntries, s.wcs_num, s.wcs_shown, s.wcs_edit);
}

void CStartupDlgBar::FoldShownRows() {
  Fold(WcsTable, kWcsRows, settings.wcs_shown, settings.wcs_edit);
  Fold(RefTable, kRefRows, settings.ref_shown, settings.ref_edit);
}

void CStartupDlgBar::OnRefRowChange() {
  LinkSettings& s = settings;
  UpdateData(true);
  Fold(RefTable, kRefRows, s.ref_shown, s.ref_edit);
  Load(RefTable, kRefEntries, s.ref_num, s.ref_shown, s.ref_edit);
  UpdateData(false);
}

void CStartupDlgBar::OnWcsRowChange() {
  LinkSettings& s = settings;
  UpdateData(true);
  Fold(WcsTable, kWcsRows, s.wcs_shown, s.wcs_edit);
  Load(WcsTable, kWcsEntries, s.wcs_num, s.wcs_shown, s.wcs_edit);
  UpdateData(false);
  // The derived origin follows the newly shown offset.
  if (s.from_wrk_st) {
    RestoreTypedOrigin();
    UpdateData(false);
    OnFromWorkStock();
  }
}

}  // namespace quenlo::ui
