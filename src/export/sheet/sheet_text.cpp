#include "export/sheet/sheet_text.h"

#include <array>

#include "common/numbers.h"

namespace quenlo::sheet {

std::string Utf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = static_cast<uint32_t>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDFFF) {
      const uint32_t next = i + 1 < text.size() ? static_cast<uint32_t>(text[i + 1]) : 0;
      if (c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

namespace {

// The bytes written as character references, one look-up a byte.
constexpr std::array<bool, 256> kReferenced = [] {
  std::array<bool, 256> set{};
  for (unsigned char c : {'&', '<', '>', '"', '\''}) set[c] = true;
  return set;
}();

}  // namespace

void AppendEscaped(PageText& out, std::string_view text) {
  size_t plain = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!kReferenced[static_cast<unsigned char>(text[i])]) continue;
    const char* ref = nullptr;
    switch (text[i]) {
      case '&': ref = "&amp;"; break;
      case '<': ref = "&lt;"; break;
      case '>': ref = "&gt;"; break;
      case '"': ref = "&quot;"; break;
      case '\'': ref = "&#39;"; break;
      default: continue;
    }
    out.Put(text.data() + plain, i - plain);
    out += ref;
    plain = i + 1;
  }
  out.Put(text.data() + plain, text.size() - plain);
}

std::string Num(double value) { return FormatG(value); }

}  // namespace quenlo::sheet
