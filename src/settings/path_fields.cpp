#include "settings/path_fields.h"

#include "common/messages.h"
#include "platform/ansi.h"

namespace quenlo {

bool PathCarried(const LinkSettings& s, const SettingsField& field) {
  return platform::CarriedByAnsi(s.*field.text);
}

std::wstring PathsNotKept(const LinkSettings& s) {
  std::wstring fields;
  ForEachFileField(false, [&](const SettingsField& field) {
    if (field.kind != FieldKind::kPath) return;
    std::wstring lost = platform::CharactersNotInAnsi(s.*field.text);
    if (lost.empty()) return;
    if (!fields.empty()) fields += messages::kListSeparator;
    fields += messages::PathNotKept(field.label, lost);
  });
  return fields;
}

}  // namespace quenlo
