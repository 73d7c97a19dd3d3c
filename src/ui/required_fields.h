// The fields that a launch needs: the executable, the machine, the NC file,
// the project file and the tool file (the stock file may stay empty).
#pragma once

#include <string>

#include "settings/link_settings.h"

namespace quenlo::ui {

// The panel's names of the required fields that are empty, in the panel's
// order of the launch ("実行形式、機械定義"); empty when all are filled.
std::wstring EmptyRequiredFields(const LinkSettings& settings);

// The message that asks for them.
std::wstring RequiredFieldsMessage(const std::wstring& empty_fields);

}  // namespace quenlo::ui
