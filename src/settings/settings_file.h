// The settings file (.nvs): the whole settings record in 338 keyed lines of
// ANSI code-page text with CR LF line ends, written and read here as bytes.
// Choosing the file and showing what was loaded is the panel's part
// (ui/settings_file_commands.h).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/link_settings.h"

namespace quenlo {

// The file's bytes: mch, exe, prj, tol, wrk; the 316 work-offset rows; the 5
// initial/reference rows; the work origin, the rotary-axis centres,
// ref_from_m, ref_num and wcs_num. A path that the ANSI code page cannot
// carry is not written: the line of `previous` (the bytes of the file being
// replaced) stands in for it, or no line when that has none.
std::string FormatSettingsFile(const LinkSettings& settings, const AxisRow (&wcs)[kWcsRows],
                               const AxisRow (&ref)[kRefRows], std::string_view previous = {});

// A settings file being read: its bytes and a read position just after the
// line that the last lookup met.
class SettingsFileText {
 public:
  explicit SettingsFileText(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  void Rewind() { pos_ = 0; }
  // The next whole line without its line end (LF or CR LF).
  std::string_view NextLine();
  // The rest of the first line that begins with `key` (ANSI bytes ending with
  // a blank, at most two blanks in all, as every key of the file is): at or
  // after the read position, else from the top. The read position moves just
  // past that line. False when no line begins with it.
  bool FindKeyed(std::string_view key, std::string_view& value);
  // Moves past the line at the read position when it is `line` (with its
  // line end), as FindKeyed would with the line's key.
  bool TakeLine(std::string_view line);
  // Whether a line begins with `key` (as above); the read position stays.
  bool HasKeyed(std::string_view key);

 private:
  struct Line {
    size_t start, length, next;
  };
  void Index();
  bool SearchKeyed(std::string_view key, std::string_view& value);

  std::string_view bytes_;
  size_t pos_ = 0;
  // The lines by their text up to their first blank and up to their second,
  // each list in file order. Built only when lookups stop finding their key
  // at the read position (more than kSearchesBeforeIndex times) or HasKeyed
  // asks, so that a file's lookups cost one pass over it whatever order its
  // lines are in.
  struct Lines {
    Line first;
    std::vector<Line> more;  // the others, when the key begins more than one line
  };
  std::unordered_map<std::string_view, Lines> keyed_;
  bool indexed_ = false;
  int searches_ = 0;
  static constexpr int kSearchesBeforeIndex = 4;
};

// The value of `ansi_key` (in the code page's bytes, as the file is; the
// file's keys end with a blank): the rest of the first line that begins with
// it, searched from the read position to the end and then from the top, or
// `fallback` when no line begins with it.
std::wstring FindSettingsValue(SettingsFileText& file, std::string_view ansi_key, const std::wstring& fallback);

// Reads a settings file (ANSI text, or UTF-16 behind its byte-order mark) into
// the record and the tables. Paths the file lacks keep their values; every
// number it lacks, in a row or alone, becomes 0, and so does a number that is
// not finite; wcs_num and ref_num outside the tables become 0. The panel's
// shown rows are not touched. False, and nothing changed, when no line of the
// file begins with one of its keys: it is not a settings file.
bool ParseSettingsFile(std::string_view bytes, LinkSettings& settings, AxisRow (&wcs)[kWcsRows],
                       AxisRow (&ref)[kRefRows]);

}  // namespace quenlo
