// The registry on Windows: RegOpenKeyExW with KEY_READ and no view flag (a
// 64-bit process reads the 64-bit view; WOW6432Node only where a path names
// it), RegQueryValueExW, RegCloseKey.
#include <windows.h>

#include <vector>

#include "platform/registry.h"

namespace quenlo::platform {

MachineKeyValue ReadMachineKeyValue(std::wstring_view key, std::wstring_view value_name) {
  MachineKeyValue result;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, std::wstring(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return result;
  result.key_opened = true;
  std::wstring name(value_name);
  // The registry's own buffer of 260 wide characters first; a longer value is
  // read whole with the size the registry asks for.
  std::vector<BYTE> data(520);
  DWORD type = 0;
  LONG status = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
    DWORD size = static_cast<DWORD>(data.size());
    status = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_SUCCESS) {
      // Only the bytes the registry returned count, terminated or not.
      result.text = RegistryValueText(type, data.data(), size <= data.size() ? size : data.size());
    } else if (status == ERROR_MORE_DATA) {
      data.resize(static_cast<size_t>(size) + 2);
    }
  }
  RegCloseKey(handle);
  return result;
}

void SetRegistryFile(std::wstring_view) {}  // the real registry is read on Windows

}  // namespace quenlo::platform
