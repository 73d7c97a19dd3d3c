#include "common/utf16.h"

namespace quenlo {

std::wstring DecodeUtf16(std::string_view bytes) {
  std::wstring out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (sizeof(wchar_t) > 2 && unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      unsigned low = static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        out.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        i += 2;
        continue;
      }
    }
    out.push_back(static_cast<wchar_t>(unit));
  }
  return out;
}

std::string EncodeUtf16(std::wstring_view text) {
  std::string out;
  auto put = [&out](unsigned unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>((unit >> 8) & 0xFF));
  };
  for (wchar_t c : text) {
    auto code = static_cast<unsigned>(c);
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

bool LooksLikeUtf16(std::string_view bytes) {
  if (bytes.empty()) return true;
  for (size_t i = 1; i < bytes.size(); i += 2)
    if (bytes[i] == '\0') return true;
  return false;
}

}  // namespace quenlo
