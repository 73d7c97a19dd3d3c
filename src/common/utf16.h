// UTF-16LE text as the Windows tools write it (Notepad's "Unicode", regedit,
// the private-profile functions): one codec for every reader and writer.
#pragma once

#include <string>
#include <string_view>

namespace quenlo {

// UTF-16LE bytes to wide text, surrogate pairs joined where wchar_t is wider;
// an odd last byte is dropped.
std::wstring DecodeUtf16(std::string_view bytes);

// Wide text to UTF-16LE bytes, characters beyond U+FFFF as surrogate pairs.
std::string EncodeUtf16(std::wstring_view text);

// Whether the bytes are UTF-16LE behind a UTF-16 mark (given without the mark)
// rather than 8-bit text: text files show it by the zero high bytes of their
// ASCII characters (line ends, "=", "[" or blanks); 8-bit text has none.
bool LooksLikeUtf16(std::string_view bytes);

// True when the bytes begin with the UTF-16LE byte-order mark FF FE.
inline bool HasUtf16Mark(std::string_view bytes) {
  return bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
}

}  // namespace quenlo
