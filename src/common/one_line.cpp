#include "common/one_line.h"

namespace quenlo {

std::wstring OneLine(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c == L'\n' || c == L'\r') c = L' ';
  return out;
}

}  // namespace quenlo
