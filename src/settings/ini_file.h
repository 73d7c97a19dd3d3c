// An INI file as the Windows private-profile functions read and write it, so
// that the settings store is the same file whichever side wrote it:
// - section and key names match without regard to letter case, trimmed;
// - a value is what follows the first "=", trimmed, less one pair of
//   enclosing quotes (" or ');
// - the first matching section, and in it the first matching key, win;
// - a line without "=" is a key without a value (reads as missing);
// - a write changes or adds one line and keeps every other line as it was;
// - the file is ANSI text with CR LF line ends, unless it begins with a
//   byte-order mark (UTF-16LE or UTF-8), which it then keeps; a line that is
//   not changed keeps its bytes whatever the encoding makes of them, and
//   8-bit text behind a UTF-16 mark is ANSI text (written without the mark).
// Written by hand because nothing else here reproduces those rules exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quenlo {

class IniFile {
 public:
  // From the file's bytes (empty for a missing file).
  static IniFile Parse(std::string_view bytes);

  std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;
  void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  std::string Serialize() const;

 private:
  enum class Encoding { kAnsi, kUtf8Bom, kUtf16Bom };
  struct Line {
    std::wstring text;      // decoded, without the line end
    std::string raw;        // the original bytes (without the line end), kept for an unchanged line
    bool changed = false;
  };
  // Index of the first section header named `section`, or npos.
  size_t FindSection(std::wstring_view section) const;
  // Index of the key line in the section starting at `header`, or npos.
  size_t FindKey(size_t header, std::wstring_view key) const;
  // Makes `key_lines_` the index of the section starting at `header`.
  void IndexSection(size_t header) const;

  Encoding encoding_ = Encoding::kAnsi;
  std::vector<Line> lines_;
  bool final_line_end_ = true;
  // One section's key lines by name (trimmed, letter case folded): the first
  // line of each name, as a scan from the header finds it. Built on the first
  // look-up in that section, so that a whole store is read or written in
  // linear time; kept up to date by Set, dropped when lines move otherwise.
  mutable size_t indexed_header_ = static_cast<size_t>(-1);
  mutable std::unordered_map<std::wstring, size_t> key_lines_;
};

}  // namespace quenlo
