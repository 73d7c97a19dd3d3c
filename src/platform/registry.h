// Read-only access to the machine part of the registry (HKEY_LOCAL_MACHINE),
// as narrow as the simulator locator needs it: does a key open, and what text
// does one of its values hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quenlo::platform {

struct MachineKeyValue {
  bool key_opened = false;             // the key exists and opened for reading
  std::optional<std::wstring> text;    // the value as stored, when the key opened and the
                                       // value is there and holds text (REG_SZ or REG_EXPAND_SZ)
};

// Opens `key` under HKEY_LOCAL_MACHINE for reading (no registry-view flag) and
// reads the value `value_name` from it, whatever its length. The text is taken
// as stored, up to its first NUL; environment references are not expanded.
MachineKeyValue ReadMachineKeyValue(std::wstring_view key, std::wstring_view value_name);

// POSIX only: the .reg file (the format regedit exports) that stands in for the
// machine's registry; empty for a registry without keys. Ignored on Windows,
// where the real registry is read.
void SetRegistryFile(std::wstring_view reg_file);

// The text of a value as the registry returns it: `type` (REG_SZ = 1,
// REG_EXPAND_SZ = 2, others are not text) and exactly `size` bytes of data,
// UTF-16LE. Nothing beyond `size` is read; a missing terminator is no fault.
std::optional<std::wstring> RegistryValueText(unsigned long type, const unsigned char* data, size_t size);

}  // namespace quenlo::platform
