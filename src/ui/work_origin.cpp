// The work-origin step: with "ワーク設定とワーク座標系から取得" set, the origin
// is computed from the stock set-up and the shown work offset, and the typed
// origin is set aside; clearing it brings the typed origin back.
#include "ui/work_origin.h"

#include "host/machine_group.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {
namespace {

enum Take { kNothing, kHalf, kWhole };

// Per origin code, what of the stock's size is taken off X, Y, Z.
constexpr Take kTaken[9][3] = {
    {kHalf, kHalf, kWhole},  {kNothing, kWhole, kWhole}, {kWhole, kWhole, kWhole},
    {kWhole, kNothing, kWhole}, {kNothing, kNothing, kWhole},  {kNothing, kWhole, kNothing},
    {kWhole, kWhole, kNothing}, {kWhole, kNothing, kNothing},  {kNothing, kNothing, kNothing},
};

double Corner(double origin, double size, Take take) {
  if (take == kWhole) return origin - size;
  if (take == kHalf) return origin - size / 2;
  return origin;
}

}  // namespace

bool WorkOriginFromStock(const StockSetup& stock, const double offset[3], double part[3]) {
  int code = stock.origin_code;
  if (code < 0 || code > 8) return false;
  const double size[3] = {stock.size_x, stock.size_y, stock.size_z};
  for (int i = 0; i < 3; ++i) part[i] = Corner(stock.origin[i], size[i], kTaken[code][i]) + offset[i];
  return true;
}

void CStartupDlgBar::RestoreTypedOrigin() {
  settings.part_x = settings.part_manual[0];
  settings.part_y = settings.part_manual[1];
  settings.part_z = settings.part_manual[2];
}

void CStartupDlgBar::OnFromWorkStock() {
  LinkSettings& s = settings;
  UpdateData(true);
  if (s.from_wrk_st) {
    s.part_manual[0] = s.part_x;
    s.part_manual[1] = s.part_y;
    s.part_manual[2] = s.part_z;
    double part[3] = {s.part_x, s.part_y, s.part_z};
    if (WorkOriginFromStock(ReadStockSetup(GroupsMachineGroup(nullptr)), s.wcs_edit.data(), part)) {
      s.part_x = part[0];
      s.part_y = part[1];
      s.part_z = part[2];
    }
  } else {
    RestoreTypedOrigin();
  }
  UpdateData(false);
}

}  // namespace quenlo::ui
