#include "ui/required_fields.h"

#include "settings/settings_fields.h"

namespace quenlo::ui {

std::wstring EmptyRequiredFields(const LinkSettings& s) {
  std::wstring names;
  for (const SettingsField& f : kSettingsFields) {
    if (!f.required || !(s.*f.text).empty()) continue;
    if (!names.empty()) names += L"、";
    names += f.label;
  }
  return names;
}

std::wstring RequiredFieldsMessage(const std::wstring& empty_fields) {
  return L"起動するには次の項目を入力してください：" + empty_fields;
}

}  // namespace quenlo::ui
