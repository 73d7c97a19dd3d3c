#include "settings/path_fields.h"

#include "platform/ansi.h"

namespace quenlo {

bool PathCarried(const LinkSettings& s, const SettingsField& field) {
  return platform::CharactersNotInAnsi(s.*field.text).empty();
}

std::wstring PathsNotKept(const LinkSettings& s) {
  std::wstring fields;
  ForEachFileField(false, [&](const SettingsField& field) {
    if (field.kind != FieldKind::kPath) return;
    std::wstring lost = platform::CharactersNotInAnsi(s.*field.text);
    if (lost.empty()) return;
    if (!fields.empty()) fields += L"、";
    fields += std::wstring(field.label) + L"（" + lost + L"）";
  });
  return fields;
}

std::wstring PathsNotKeptMessage(const std::wstring& fields) {
  return L"次の項目のパスには設定ファイルに書けない文字があるため、保存しませんでした（前の値のままです）：" + fields;
}

}  // namespace quenlo
