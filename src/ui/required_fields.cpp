#include "ui/required_fields.h"

#include <utility>

namespace quenlo::ui {

std::wstring EmptyRequiredFields(const LinkSettings& s) {
  const std::pair<const std::wstring*, const wchar_t*> fields[] = {
      {&s.exe, L"実行形式"},
      {&s.mch, L"機械定義"},
      {&s.nc_file, L"NCファイル"},
      {&s.prj, L"プロジェクトファイル"},
      {&s.tol, L"工具ファイル"},
  };
  std::wstring names;
  for (const auto& [value, name] : fields) {
    if (!value->empty()) continue;
    if (!names.empty()) names += L"、";
    names += name;
  }
  return names;
}

std::wstring RequiredFieldsMessage(const std::wstring& empty_fields) {
  return L"起動するには次の項目を入力してください：" + empty_fields;
}

}  // namespace quenlo::ui
