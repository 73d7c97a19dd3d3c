// Pieces of the project file's replacement lines, as output bytes.
#pragma once

#include <string>
#include <string_view>

namespace quenlo {

// "%g" and "%f" of a value.
std::string G(double value);
std::string F(double value);
// `count` times " 0.0000".
std::string Zeros(int count);
// A path as the ANSI code page holds it, on one line (line breaks become blanks).
std::string AnsiText(std::wstring_view text);

}  // namespace quenlo
