#include "settings/settings_fields.h"

#include <algorithm>

namespace quenlo {
namespace {

using K = FieldKind;
using S = LinkSettings;

}  // namespace

// key, script name, label, kind, member (text, number, integer, row and axis),
// place in the files, stored, in the settings file, required.
constexpr SettingsField kSettingsFields[kSettingsFieldCount] = {
    {"exe", L"exe", L"実行形式", K::kPath, &S::exe, nullptr, nullptr, nullptr, 0, 2, true, true, true},
    {"mch", L"mch", L"機械定義", K::kPath, &S::mch, nullptr, nullptr, nullptr, 0, 1, true, true, true},
    {nullptr, L"nc_file", L"NCファイル", K::kPath, &S::nc_file, nullptr, nullptr, nullptr, 0, 0, false, false, true},
    {"prj", L"prj", L"プロジェクトファイル", K::kPath, &S::prj, nullptr, nullptr, nullptr, 0, 3, true, true, true},
    {"tol", L"tol", L"工具ファイル", K::kPath, &S::tol, nullptr, nullptr, nullptr, 0, 4, true, true, true},
    {"wrk", L"wrk", L"素材ファイル", K::kPath, &S::wrk, nullptr, nullptr, nullptr, 0, 5, true, true, false},
    {"wcs_num", L"wcs", L"ワーク座標系", K::kRowSelector, nullptr, nullptr, &S::wcs_num, nullptr, 0, 18, true, true, false},
    {nullptr, L"wcs.x", L"X", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 0, 0, false, false, false},
    {nullptr, L"wcs.y", L"Y", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 1, 0, false, false, false},
    {nullptr, L"wcs.z", L"Z", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 2, 0, false, false, false},
    {nullptr, L"wcs.a", L"A", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 3, 0, false, false, false},
    {nullptr, L"wcs.b", L"B", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 4, 0, false, false, false},
    {nullptr, L"wcs.c", L"C", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 5, 0, false, false, false},
    {nullptr, L"wcs.u", L"U", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 6, 0, false, false, false},
    {nullptr, L"wcs.v", L"V", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 7, 0, false, false, false},
    {nullptr, L"wcs.w", L"W", K::kRowBox, nullptr, nullptr, nullptr, &S::wcs_edit, 8, 0, false, false, false},
    {"part_x", L"part_x", L"ワーク原点 X", K::kNumber, nullptr, &S::part_x, nullptr, nullptr, 0, 7, true, true, false},
    {"part_y", L"part_y", L"ワーク原点 Y", K::kNumber, nullptr, &S::part_y, nullptr, nullptr, 0, 8, true, true, false},
    {"part_z", L"part_z", L"ワーク原点 Z", K::kNumber, nullptr, &S::part_z, nullptr, nullptr, 0, 9, true, true, false},
    {"a_axis_y", L"a_axis_y", L"A軸 Y", K::kNumber, nullptr, &S::a_axis_y, nullptr, nullptr, 0, 10, true, true, false},
    {"a_axis_z", L"a_axis_z", L"A軸 Z", K::kNumber, nullptr, &S::a_axis_z, nullptr, nullptr, 0, 11, true, true, false},
    {"b_axis_x", L"b_axis_x", L"B軸 X", K::kNumber, nullptr, &S::b_axis_x, nullptr, nullptr, 0, 12, true, true, false},
    {"b_axis_z", L"b_axis_z", L"B軸 Z", K::kNumber, nullptr, &S::b_axis_z, nullptr, nullptr, 0, 13, true, true, false},
    {"c_axis_x", L"c_axis_x", L"C軸 X", K::kNumber, nullptr, &S::c_axis_x, nullptr, nullptr, 0, 14, true, true, false},
    {"c_axis_y", L"c_axis_y", L"C軸 Y", K::kNumber, nullptr, &S::c_axis_y, nullptr, nullptr, 0, 15, true, true, false},
    {nullptr, L"ref.x", L"X", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 0, 0, false, false, false},
    {nullptr, L"ref.y", L"Y", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 1, 0, false, false, false},
    {nullptr, L"ref.z", L"Z", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 2, 0, false, false, false},
    {nullptr, L"ref.a", L"A", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 3, 0, false, false, false},
    {nullptr, L"ref.b", L"B", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 4, 0, false, false, false},
    {nullptr, L"ref.c", L"C", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 5, 0, false, false, false},
    {nullptr, L"ref.u", L"U", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 6, 0, false, false, false},
    {nullptr, L"ref.v", L"V", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 7, 0, false, false, false},
    {nullptr, L"ref.w", L"W", K::kRowBox, nullptr, nullptr, nullptr, &S::ref_edit, 8, 0, false, false, false},
    {"ref_num", L"ref", L"軸初期値", K::kRowSelector, nullptr, nullptr, &S::ref_num, nullptr, 0, 17, true, true, false},
    {"ref_from_m", L"ref_from_m", L"機械原点を基準に工具初期位置を設定する", K::kFlag, nullptr, nullptr, &S::ref_from_m, nullptr, 0, 16, true, true, false},
    {"from_wrk_st", L"from_wrk_st", L"ワーク設定とワーク座標系から取得", K::kFlag, nullptr, nullptr, &S::from_wrk_st, nullptr, 0, 6, true, false, false},
};
static_assert(kSettingsFields[kSettingsFieldCount - 1].name != nullptr, "a row is missing");

const SettingsField* FindSettingsField(std::wstring_view name) {
  for (const SettingsField& f : kSettingsFields) {
    if (name == f.name) return &f;
    if (f.key && name.size() == std::char_traits<char>::length(f.key) &&
        std::equal(name.begin(), name.end(), f.key))
      return &f;
  }
  return nullptr;
}

const SettingsField& FieldOf(std::wstring LinkSettings::*text) {
  for (const SettingsField& f : kSettingsFields)
    if (f.text == text) return f;
  return kSettingsFields[0];  // every path member has its row
}

const SettingsField& FieldOf(double LinkSettings::*number) {
  for (const SettingsField& f : kSettingsFields)
    if (f.number == number) return f;
  return kSettingsFields[0];  // every number member has its row
}

const std::vector<const SettingsField*>& FileFields(bool settings_file) {
  auto in_order = [](bool in_settings_file) {
    std::vector<const SettingsField*> fields;
    for (const SettingsField& f : kSettingsFields)
      if (f.file_order > 0 && (in_settings_file ? f.in_file : f.stored)) fields.push_back(&f);
    std::sort(fields.begin(), fields.end(),
              [](const SettingsField* a, const SettingsField* b) { return a->file_order < b->file_order; });
    return fields;
  };
  static const std::vector<const SettingsField*> store = in_order(false), file = in_order(true);
  return settings_file ? file : store;
}

bool ReadyToLaunch(const LinkSettings& s) {
  for (const SettingsField& f : kSettingsFields)
    if (f.required && (s.*f.text).empty()) return false;
  return true;
}

}  // namespace quenlo
