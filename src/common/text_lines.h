// Splitting 8-bit text into lines, for every reader of a line-based file: a
// line ends at LF; a CR just before the LF belongs to the line end.
#pragma once

#include <string_view>

namespace quenlo {

struct TextLine {
  std::string_view text;  // without its line end
  bool has_end = false;   // false for a last line that no LF closes
};

// Takes the next line off the front of `rest`; false when nothing is left.
// With `keep_cr` a CR before the LF stays in the line's text (for readers that
// report it).
inline bool NextLine(std::string_view& rest, TextLine& line, bool keep_cr = false) {
  if (rest.empty()) return false;
  const size_t end = rest.find('\n');
  if (end == std::string_view::npos) {
    line = {rest, false};
    rest = {};
    return true;
  }
  const size_t length = !keep_cr && end > 0 && rest[end - 1] == '\r' ? end - 1 : end;
  line = {rest.substr(0, length), true};
  rest.remove_prefix(end + 1);
  return true;
}

}  // namespace quenlo
