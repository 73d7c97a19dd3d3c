// The registry as a .reg file holds it: the text that regedit exports and
// imports ("Windows Registry Editor Version 5.00" in UTF-16 with a byte-order
// mark or in plain text, or "REGEDIT4"). Used on POSIX, where a .reg file
// stands in for the machine's registry.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace quenlo::platform {

struct RegValue {
  unsigned long type = 0;  // REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3, REG_DWORD 4, ...
  std::string data;        // the bytes the registry would store (text as UTF-16LE with its NUL)
};

// The keys under HKEY_LOCAL_MACHINE after importing a .reg file. Key paths and
// value names are compared without regard to ASCII letter case, as the
// registry does.
class RegImage {
 public:
  // Imports the file's text as regedit does: key lines "[HKEY_LOCAL_MACHINE\...]"
  // create keys, "[-...]" deletes a key with its subkeys, value lines set or
  // ("=-") delete values; comments, blank lines and lines it cannot read are
  // skipped. False, importing nothing, when the header is not that of a
  // registry file.
  bool Import(std::string_view file_bytes);

  // True when the key exists (a key that only has subkeys exists too).
  bool HasKey(std::wstring_view path) const;
  // The value, or null when the key or the value is not there.
  const RegValue* FindValue(std::wstring_view path, std::wstring_view name) const;

 private:
  std::map<std::wstring, std::map<std::wstring, RegValue>> keys_;  // folded path -> folded name -> value
};

}  // namespace quenlo::platform
