#include "ui/required_fields.h"

#include "common/messages.h"
#include "settings/settings_fields.h"

namespace quenlo::ui {

std::wstring EmptyRequiredFields(const LinkSettings& s) {
  std::wstring names;
  for (const SettingsField& f : kSettingsFields) {
    if (!f.required || !(s.*f.text).empty()) continue;
    if (!names.empty()) names += messages::kListSeparator;
    names += f.label;
  }
  return names;
}

std::wstring RequiredFieldsMessage(const std::wstring& empty_fields) {
  return messages::RequiredFields(empty_fields);
}

}  // namespace quenlo::ui
