#include "entry/nc_path.h"

#include <vector>

#include "host/nc_file.h"

namespace quenlo {

std::wstring BuildNcPath(const std::wstring& name, const std::wstring& prefix) {
  // Buffers large enough for anything the host may compose from these parts.
  size_t capacity = name.size() + prefix.size() + 260;
  std::vector<wchar_t> folder(capacity), base(capacity), ext(capacity);
  SecureReduceFileName(name.c_str(), folder.data(), capacity, base.data(), capacity, ext.data(), capacity);
  build_filename(base.data(), prefix.c_str(), ext.data());
  return std::wstring(base.data());
}

std::wstring ReplaceSuffix(const std::wstring& path, const std::wstring& suffix) {
  size_t name_start = path.find_last_of(L"\\/");
  name_start = name_start == std::wstring::npos ? 0 : name_start + 1;
  size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || dot < name_start || dot == 0) return path + suffix;
  return path.substr(0, dot) + suffix;
}

}  // namespace quenlo
