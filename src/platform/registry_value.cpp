// Registry value data to text, shared by both registry back ends.
#include "platform/registry.h"

namespace quenlo::platform {

std::optional<std::wstring> RegistryValueText(unsigned long type, const unsigned char* data, size_t size) {
  constexpr unsigned long kRegSz = 1, kRegExpandSz = 2;
  if (type != kRegSz && type != kRegExpandSz) return std::nullopt;
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) {
    auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  if (sizeof(wchar_t) == 4) {
    // POSIX wide strings hold code points: join surrogate pairs.
    std::wstring joined;
    for (size_t i = 0; i < text.size(); ++i) {
      auto hi = static_cast<unsigned long>(text[i]);
      if (hi >= 0xD800 && hi < 0xDC00 && i + 1 < text.size()) {
        auto lo = static_cast<unsigned long>(text[i + 1]);
        if (lo >= 0xDC00 && lo < 0xE000) {
          joined.push_back(static_cast<wchar_t>(0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00)));
          ++i;
          continue;
        }
      }
      joined.push_back(text[i]);
    }
    return joined;
  }
  return text;
}

}  // namespace quenlo::platform
