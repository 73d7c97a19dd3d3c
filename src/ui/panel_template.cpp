#include "ui/panel_template.h"

#include "ui/control_ids.h"

namespace quenlo::ui {
namespace {

// Each control with the record field it shows or the command it runs (the
// names the panel script uses) and its caption or label.
DialogTemplate MakePanelTemplate() {
  using K = ControlKind;
  DialogTemplate t{kPanelTemplate, {}};
  auto add = [&t](int id, K kind, const wchar_t* name, const wchar_t* caption, bool sorted = false) {
    t.controls.push_back({id, kind, name, caption, sorted});
  };
  add(kExeCombo, K::kComboBox, L"exe", L"実行形式", true);
  add(kBrowseExe, K::kButton, L"browse-exe", L"...");
  add(kMchEdit, K::kEdit, L"mch", L"機械定義");
  add(kBrowseMch, K::kButton, L"browse-mch", L"...");
  add(kPrjEdit, K::kEdit, L"prj", L"プロジェクトファイル");
  add(kBrowsePrj, K::kButton, L"browse-prj", L"...");
  add(kTolEdit, K::kEdit, L"tol", L"工具ファイル");
  add(kBrowseTol, K::kButton, L"browse-tol", L"...");
  add(kNcEdit, K::kEdit, L"nc_file", L"NCファイル");
  add(kBrowseNc, K::kButton, L"browse-nc", L"...");
  add(kWrkEdit, K::kEdit, L"wrk", L"素材ファイル");
  add(kBrowseWrk, K::kButton, L"browse-wrk", L"...");
  add(kPartX, K::kEdit, L"part_x", L"ワーク原点 X");
  add(kPartY, K::kEdit, L"part_y", L"ワーク原点 Y");
  add(kPartZ, K::kEdit, L"part_z", L"ワーク原点 Z");
  add(kFromWorkStock, K::kCheckBox, L"from_wrk_st", L"ワーク設定とワーク座標系から取得");
  add(kRefCombo, K::kComboBox, L"ref", L"軸初期値");
  static const wchar_t* const kRefNames[9] = {L"ref.x", L"ref.y", L"ref.z", L"ref.a", L"ref.b",
                                              L"ref.c", L"ref.u", L"ref.v", L"ref.w"};
  static const wchar_t* const kWcsNames[9] = {L"wcs.x", L"wcs.y", L"wcs.z", L"wcs.a", L"wcs.b",
                                              L"wcs.c", L"wcs.u", L"wcs.v", L"wcs.w"};
  static const wchar_t* const kAxes[9] = {L"X", L"Y", L"Z", L"A", L"B", L"C", L"U", L"V", L"W"};
  for (int i = 0; i < 9; ++i) add(kRefEdits[i], K::kEdit, kRefNames[i], kAxes[i]);
  add(kRefFromMachine, K::kCheckBox, L"ref_from_m", L"機械原点を基準に工具初期位置を設定する");
  add(kWcsCombo, K::kComboBox, L"wcs", L"ワーク座標系");
  for (int i = 0; i < 9; ++i) add(kWcsEdits[i], K::kEdit, kWcsNames[i], kAxes[i]);
  add(kAAxisY, K::kEdit, L"a_axis_y", L"A軸 Y");
  add(kAAxisZ, K::kEdit, L"a_axis_z", L"A軸 Z");
  add(kBAxisX, K::kEdit, L"b_axis_x", L"B軸 X");
  add(kBAxisZ, K::kEdit, L"b_axis_z", L"B軸 Z");
  add(kCAxisX, K::kEdit, L"c_axis_x", L"C軸 X");
  add(kCAxisY, K::kEdit, L"c_axis_y", L"C軸 Y");
  add(kLoadSettings, K::kBitmapButton, L"load", L"設定読込");
  add(kSaveSettings, K::kBitmapButton, L"save", L"設定保存");
  add(kSaveToolsOnly, K::kBitmapButton, L"save-tools", L"工具のみ保存");
  add(kLaunch, K::kBitmapButton, L"launch", L"起動");
  add(kCancel, K::kBitmapButton, L"cancel", L"キャンセル");
  return t;
}

}  // namespace

const ResourceModule& AddinResources() {
  static const DialogTemplate panel = MakePanelTemplate();
  static const ResourceModule module{L"Tarvik", {&panel}};
  return module;
}

}  // namespace quenlo::ui
