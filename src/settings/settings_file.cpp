#include "settings/settings_file.h"

#include <cstring>

#include "common/numbers.h"
#include "common/one_line.h"
#include "common/utf16.h"
#include "platform/ansi.h"
#include "settings/axis_row_text.h"
#include "settings/path_fields.h"

namespace quenlo {
namespace {

constexpr char kLineEnd[] = "\r\n";

// The selectable rows: row 315 of the work offsets has no entry in the panel.
constexpr int kWcsSelectable = kWcsRows - 1;

void PathLine(std::string& out, const char* key, const std::wstring& path) {
  out += key;
  out += ' ';
  out += platform::ToAnsi(OneLine(path));
  out += kLineEnd;
}

// A path the code page cannot carry is not written as it is (it would name
// another file): the line the replaced file had stands in for it, or none, so
// that loading the file keeps what the panel then shows.
void KeptPathLine(std::string& out, const PathField& field, const LinkSettings& s, std::string_view previous) {
  if (PathCarried(s, field)) return PathLine(out, field.key, s.*field.member);
  std::wstring key = std::wstring(field.key, field.key + std::strlen(field.key)) + L" ";
  SettingsFileText old(previous);
  const std::wstring kAbsent = L"\n";  // no line can hold a line end
  std::wstring value = FindSettingsValue(old, key, kAbsent);
  if (value != kAbsent) PathLine(out, field.key, value);
}

// The names that begin the file's lines, each followed by a blank.
constexpr const char* kLineKeys[] = {"mch",      "exe",      "prj",      "tol",      "wrk",        "xyz",
                                     "ref",      "part_x",   "part_y",   "part_z",   "a_axis_y",   "a_axis_z",
                                     "b_axis_x", "b_axis_z", "c_axis_x", "c_axis_y", "ref_from_m", "ref_num",
                                     "wcs_num"};

bool HoldsAnyKey(std::string_view bytes) {
  SettingsFileText file(bytes);
  while (!file.AtEnd()) {
    std::string_view line = file.NextLine();
    for (const char* key : kLineKeys) {
      size_t n = std::strlen(key);
      if (line.size() > n && line.substr(0, n) == key && line[n] == ' ') return true;
    }
  }
  return false;
}

void RowLine(std::string& out, const char* key, int index, const AxisRow& row) {
  out += key;
  out += ' ';
  out += FormatD(index);
  out += ' ';
  for (double value : row) {
    out += FormatG(value);
    out += ' ';
  }
  out += kLineEnd;
}

void NumberLine(std::string& out, const char* key, const std::string& number) {
  out += key;
  out += ' ';
  out += number;
  out += ' ';
  out += kLineEnd;
}

std::wstring RowKey(const wchar_t* name, int index) { return name + std::to_wstring(index) + L" "; }

AxisRow ParseRow(const std::wstring& text) {
  AxisRow row{};
  ScanAxisRow(text, row);
  return row;
}

}  // namespace

std::string FormatSettingsFile(const LinkSettings& s, const AxisRow (&wcs)[kWcsRows], const AxisRow (&ref)[kRefRows],
                               std::string_view previous) {
  std::string out;
  out.reserve(24 * 1024);
  for (const PathField& field : kKeptPaths) KeptPathLine(out, field, s, previous);
  for (int i = 0; i < kWcsRows; ++i) RowLine(out, "xyz", i, wcs[i]);
  for (int j = 0; j < kRefRows; ++j) RowLine(out, "ref", j, ref[j]);
  for (const CoordinateField& f : kCoordinateFields) NumberLine(out, f.key, FormatG(s.*f.field));
  NumberLine(out, "ref_from_m", FormatD(s.ref_from_m));
  NumberLine(out, "ref_num", FormatD(s.ref_num));
  NumberLine(out, "wcs_num", FormatD(s.wcs_num));
  return out;
}

std::string_view SettingsFileText::NextLine() {
  size_t end = bytes_.find('\n', pos_);
  size_t next = end == std::string_view::npos ? bytes_.size() : end + 1;
  std::string_view line = bytes_.substr(pos_, next - pos_);
  pos_ = next;
  if (!line.empty() && line.back() == '\n') {
    line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  }
  return line;
}

std::wstring FindSettingsValue(SettingsFileText& file, const std::wstring& key, const std::wstring& fallback) {
  std::string ansi_key = platform::ToAnsi(key);
  // The forward search from the read position, then one search from the top.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) file.Rewind();
    while (!file.AtEnd()) {
      std::string_view line = file.NextLine();
      if (line.substr(0, ansi_key.size()) == ansi_key) return platform::FromAnsi(line.substr(ansi_key.size()));
    }
  }
  return fallback;
}

bool ParseSettingsFile(std::string_view raw, LinkSettings& s, AxisRow (&wcs)[kWcsRows], AxisRow (&ref)[kRefRows]) {
  // A file that a text editor saved as UTF-16 ("Unicode") is read as the
  // store reads one: its text, in the code page the rest of the reading uses.
  std::string converted;
  if (HasUtf16Mark(raw) && LooksLikeUtf16(raw.substr(2))) converted = platform::ToAnsi(DecodeUtf16(raw.substr(2)));
  std::string_view bytes = converted.empty() ? raw : std::string_view(converted);
  if (!HoldsAnyKey(bytes)) return false;
  SettingsFileText file(bytes);
  for (const PathField& field : kKeptPaths)
    s.*field.member = FindSettingsValue(file, std::wstring(field.key, field.key + std::strlen(field.key)) + L" ",
                                        s.*field.member);
  for (int i = 0; i < kWcsRows; ++i) wcs[i] = ParseRow(FindSettingsValue(file, RowKey(L"xyz ", i), L""));
  for (int j = 0; j < kRefRows; ++j) ref[j] = ParseRow(FindSettingsValue(file, RowKey(L"ref ", j), L""));
  auto number = [&file](const std::wstring& key) { return ParseStoredDouble(FindSettingsValue(file, key, L"0")); };
  auto integer = [&file](const wchar_t* key) { return ParseLeadingInt(FindSettingsValue(file, key, L"0")); };
  for (const CoordinateField& f : kCoordinateFields)
    s.*f.field = number(std::wstring(f.key, f.key + std::strlen(f.key)) + L" ");
  s.ref_from_m = integer(L"ref_from_m ") != 0 ? 1 : 0;  // a check box state
  s.ref_num = integer(L"ref_num ");
  s.wcs_num = integer(L"wcs_num ");
  if (s.ref_num < 0 || s.ref_num >= kRefRows) s.ref_num = 0;
  if (s.wcs_num < 0 || s.wcs_num >= kWcsSelectable) s.wcs_num = 0;
  return true;
}

}  // namespace quenlo
