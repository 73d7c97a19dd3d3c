// The registry on POSIX: the .reg file that the stand-in host's job names,
// read afresh for every look-up (the locator keeps no state either).
#include <string>

#include "platform/files.h"
#include "platform/posix/reg_file.h"
#include "platform/registry.h"

namespace quenlo::platform {
namespace {

std::wstring& RegistryFile() {
  static std::wstring path;
  return path;
}

}  // namespace

void SetRegistryFile(std::wstring_view reg_file) { RegistryFile() = std::wstring(reg_file); }

MachineKeyValue ReadMachineKeyValue(std::wstring_view key, std::wstring_view value_name) {
  MachineKeyValue result;
  std::string bytes;
  if (RegistryFile().empty() || !ReadWholeFile(RegistryFile(), bytes)) return result;
  RegImage image;
  if (!image.Import(bytes) || !image.HasKey(key)) return result;
  result.key_opened = true;
  if (const RegValue* value = image.FindValue(key, value_name)) {
    result.text = RegistryValueText(value->type, reinterpret_cast<const unsigned char*>(value->data.data()),
                                    value->data.size());
  }
  return result;
}

}  // namespace quenlo::platform
