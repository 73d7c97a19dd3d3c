#include "ui/panel_template.h"

#include <cwchar>

#include "settings/settings_fields.h"
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
  // A control that shows a field takes its name and caption from the
  // settings table (the name the script uses, the label the panel shows).
  auto field = [&add](int id, K kind, const wchar_t* name, bool sorted = false) {
    const SettingsField* f = FindSettingsField(name);
    add(id, kind, f->name, f->label, sorted);
  };
  static const wchar_t* const kRefNames[9] = {L"ref.x", L"ref.y", L"ref.z", L"ref.a", L"ref.b",
                                              L"ref.c", L"ref.u", L"ref.v", L"ref.w"};
  static const wchar_t* const kWcsNames[9] = {L"wcs.x", L"wcs.y", L"wcs.z", L"wcs.a", L"wcs.b",
                                              L"wcs.c", L"wcs.u", L"wcs.v", L"wcs.w"};
  field(kExeCombo, K::kComboBox, L"exe", true);
  add(kBrowseExe, K::kButton, L"browse-exe", L"...");
  field(kMchEdit, K::kEdit, L"mch");
  add(kBrowseMch, K::kButton, L"browse-mch", L"...");
  field(kPrjEdit, K::kEdit, L"prj");
  add(kBrowsePrj, K::kButton, L"browse-prj", L"...");
  field(kTolEdit, K::kEdit, L"tol");
  add(kBrowseTol, K::kButton, L"browse-tol", L"...");
  field(kNcEdit, K::kEdit, L"nc_file");
  add(kBrowseNc, K::kButton, L"browse-nc", L"...");
  field(kWrkEdit, K::kEdit, L"wrk");
  add(kBrowseWrk, K::kButton, L"browse-wrk", L"...");
  field(kPartX, K::kEdit, L"part_x");
  field(kPartY, K::kEdit, L"part_y");
  field(kPartZ, K::kEdit, L"part_z");
  field(kFromWorkStock, K::kCheckBox, L"from_wrk_st");
  field(kRefCombo, K::kComboBox, L"ref");
  for (int i = 0; i < 9; ++i) field(kRefEdits[i], K::kEdit, kRefNames[i]);
  field(kRefFromMachine, K::kCheckBox, L"ref_from_m");
  field(kWcsCombo, K::kComboBox, L"wcs");
  for (int i = 0; i < 9; ++i) field(kWcsEdits[i], K::kEdit, kWcsNames[i]);
  field(kAAxisY, K::kEdit, L"a_axis_y");
  field(kAAxisZ, K::kEdit, L"a_axis_z");
  field(kBAxisX, K::kEdit, L"b_axis_x");
  field(kBAxisZ, K::kEdit, L"b_axis_z");
  field(kCAxisX, K::kEdit, L"c_axis_x");
  field(kCAxisY, K::kEdit, L"c_axis_y");
  add(kLoadSettings, K::kBitmapButton, L"load", L"設定読込");
  add(kSaveSettings, K::kBitmapButton, L"save", L"設定保存");
  add(kSaveToolsOnly, K::kBitmapButton, L"save-tools", L"工具のみ保存");
  add(kLaunch, K::kBitmapButton, L"launch", L"起動");
  add(kCancel, K::kBitmapButton, L"cancel", L"キャンセル");
  return t;
}

const DialogTemplate& MakePanelTemplateOnce() {
  static const DialogTemplate panel = MakePanelTemplate();
  return panel;
}

}  // namespace

int ControlId(const wchar_t* name) {
  for (const DialogControl& c : MakePanelTemplateOnce().controls)
    if (std::wcscmp(c.name, name) == 0) return c.id;
  return 0;
}

const ResourceModule& AddinResources() {
  static const ResourceModule module{L"Tarvik", {&MakePanelTemplateOnce()}};
  return module;
}

}  // namespace quenlo::ui
