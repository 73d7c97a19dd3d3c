// Text that goes into one line of a file: a line break in it (CR or LF) would
// split the line and could put a line of its own into the file, so each one
// becomes a blank.
#pragma once

#include <string>
#include <string_view>

namespace quenlo {

std::wstring OneLine(std::wstring_view text);

}  // namespace quenlo
