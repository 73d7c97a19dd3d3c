#include "settings/path_fields.h"

#include "platform/ansi.h"

namespace quenlo {

bool PathCarried(const LinkSettings& s, const PathField& field) {
  return platform::CharactersNotInAnsi(s.*field.member).empty();
}

std::wstring PathsNotKept(const LinkSettings& s) {
  std::wstring fields;
  for (const PathField& field : kKeptPaths) {
    std::wstring lost = platform::CharactersNotInAnsi(s.*field.member);
    if (lost.empty()) continue;
    if (!fields.empty()) fields += L"、";
    fields += std::wstring(field.label) + L"（" + lost + L"）";
  }
  return fields;
}

std::wstring PathsNotKeptMessage(const std::wstring& fields) {
  return L"次の項目のパスには設定ファイルに書けない文字があるため、保存しませんでした（前の値のままです）：" + fields;
}

}  // namespace quenlo
