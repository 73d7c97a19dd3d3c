#include "settings/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "common/numbers.h"
#include "common/text_lines.h"
#include "common/one_line.h"
#include "common/utf16.h"
#include "platform/ansi.h"
#include "settings/axis_row_text.h"
#include "settings/path_fields.h"
#include "settings/settings_fields.h"

namespace quenlo {
namespace {

constexpr char kLineEnd[] = "\r\n";

// The selectable rows: row 315 of the work offsets has no entry in the panel.
constexpr int kWcsSelectable = kWcsRows - 1;

// A key of the file with its blank, as the lookups take it ("xyz " or, for a
// row, "xyz 12 "). Keys are ASCII, so their ANSI bytes are their characters.
std::string FileKey(const char* name, int row = -1) {
  std::string key = name;
  key += ' ';
  if (row >= 0) {
    AppendD(key, row);
    key += ' ';
  }
  return key;
}

void PathLine(std::string& out, const char* key, const std::wstring& path) {
  out += key;
  out += ' ';
  out += platform::ToAnsi(OneLine(path));
  out += kLineEnd;
}

// A path the code page cannot carry is not written as it is (it would name
// another file): the line the replaced file had stands in for it, or none, so
// that loading the file keeps what the panel then shows.
void KeptPathLine(std::string& out, const SettingsField& field, const LinkSettings& s, std::string_view previous) {
  if (PathCarried(s, field)) return PathLine(out, field.key, s.*field.text);
  SettingsFileText old(previous);
  const std::wstring kAbsent = L"\n";  // no line can hold a line end
  std::wstring value = FindSettingsValue(old, FileKey(field.key), kAbsent);
  if (value != kAbsent) PathLine(out, field.key, value);
}

// A row's texts, made once: every save writes them and every load looks
// them up. Most rows of a file are nobody's, nine zeros: such a row is
// written, and read back, as its whole line at once.
struct RowText {
  std::string key;        // "xyz 12 "
  std::string zero_line;  // "xyz 12 0 0 0 0 0 0 0 0 0 \r\n"
};

// `name` is kWcsRowKey or kRefRowKey itself.
const RowText& RowOf(const char* name, int index) {
  static const std::vector<RowText> rows = [] {
    std::vector<RowText> made;
    auto add = [&made](const char* table, int row) {
      std::string key = FileKey(table, row);
      made.push_back({key, key + "0 0 0 0 0 0 0 0 0 " + kLineEnd});
    };
    for (int i = 0; i < kWcsRows; ++i) add(kWcsRowKey, i);
    for (int j = 0; j < kRefRows; ++j) add(kRefRowKey, j);
    return made;
  }();
  return rows[(name == kWcsRowKey ? 0 : kWcsRows) + index];
}

// Whether a line begins with one of the file's keys and its blank.
// A file the add-in wrote begins with one: its first line is looked at
// before the index is built.
bool HoldsAnyKey(SettingsFileText& file) {
  const auto any_key = [](auto&& holds) {
    if (holds(kWcsRowKey) || holds(kRefRowKey)) return true;
    for (size_t i = 0; i < kSettingsFieldCount; ++i)
      if (kSettingsFields[i].in_file && holds(kSettingsFields[i].key)) return true;
    return false;
  };
  const std::string_view first = file.NextLine();
  file.Rewind();
  const std::string_view first_key = first.substr(0, first.find(' ') + 1);
  return any_key([&](const char* name) { return !first_key.empty() && first_key == FileKey(name); }) ||
         any_key([&](const char* name) { return file.HasKeyed(FileKey(name)); });
}

// Whether every value is +0: their bits together, in one test.
bool AllZeroBits(const AxisRow& row) {
  uint64_t bits = 0;
  for (double value : row) {
    uint64_t word;
    std::memcpy(&word, &value, sizeof word);
    bits |= word;
  }
  return bits == 0;
}

void RowLine(std::string& out, const char* key, int index, const AxisRow& row) {
  const RowText& text = RowOf(key, index);
  if (AllZeroBits(row)) {  // not "-0" either
    out += text.zero_line;
    return;
  }
  out += text.key;
  char number[kWriteGRoom];
  for (double value : row) {
    out.append(number, WriteG(number, value));
    out += ' ';
  }
  out += kLineEnd;
}

// A value as the number parsers read it: the bytes as they stand when they
// are ASCII (most values; the code page's text is then the same characters),
// else the text with each character beyond ASCII made a stop (in `held`).
std::string_view NumberText(std::string_view bytes, std::string& held) {
  const bool ascii =
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return bytes;
  held = NarrowAscii(platform::FromAnsi(bytes));
  return held;
}

void NumberLine(std::string& out, const char* key, const std::string& number) {
  out += key;
  out += ' ';
  out += number;
  out += ' ';
  out += kLineEnd;
}

AxisRow ReadRow(SettingsFileText& file, const char* name, int index) {
  AxisRow row{};
  const RowText& text = RowOf(name, index);
  if (file.TakeLine(text.zero_line)) return row;
  std::string_view value;
  std::string held;
  if (file.FindKeyed(text.key, value)) ScanAxisRow(NumberText(value, held), row);
  return row;
}

}  // namespace

std::string FormatSettingsFile(const LinkSettings& s, const AxisRow (&wcs)[kWcsRows], const AxisRow (&ref)[kRefRows],
                               std::string_view previous) {
  std::string out;
  out.reserve(24 * 1024);
  ForEachFileField(true, [&](const SettingsField& f) {
    if (f.kind == FieldKind::kPath) KeptPathLine(out, f, s, previous);
  });
  for (int i = 0; i < kWcsRows; ++i) RowLine(out, kWcsRowKey, i, wcs[i]);
  for (int j = 0; j < kRefRows; ++j) RowLine(out, kRefRowKey, j, ref[j]);
  ForEachFileField(true, [&](const SettingsField& f) {
    if (f.kind == FieldKind::kNumber) NumberLine(out, f.key, FormatG(s.*f.number));
    if (f.kind == FieldKind::kFlag || f.kind == FieldKind::kRowSelector) NumberLine(out, f.key, FormatD(s.*f.integer));
  });
  return out;
}

std::string_view SettingsFileText::NextLine() {
  std::string_view rest = bytes_.substr(pos_);
  TextLine line;
  quenlo::NextLine(rest, line);
  pos_ = bytes_.size() - rest.size();
  return line.text;
}

void SettingsFileText::Index() {
  indexed_ = true;
  keyed_.reserve(bytes_.size() / 16 + 8);  // about two keys a line: no rehash while it fills
  std::string_view rest = bytes_;
  TextLine line;
  auto add = [this](std::string_view key, const Line& entry) {
    auto [it, fresh] = keyed_.try_emplace(key, Lines{entry, {}});
    if (!fresh) it->second.more.push_back(entry);
  };
  for (size_t start = 0; quenlo::NextLine(rest, line); start = bytes_.size() - rest.size()) {
    const Line entry{start, line.text.size(), bytes_.size() - rest.size()};
    const size_t first = line.text.find(' ');
    if (first == std::string_view::npos) continue;
    add(line.text.substr(0, first + 1), entry);
    const size_t second = line.text.find(' ', first + 1);
    if (second != std::string_view::npos) add(line.text.substr(0, second + 1), entry);
  }
}

bool SettingsFileText::SearchKeyed(std::string_view key, std::string_view& value) {
  // From the read position to the end, then from the top to it.
  const std::pair<size_t, size_t> spans[] = {{pos_, bytes_.size()}, {0, pos_}};
  for (const auto& [from, to] : spans) {
    std::string_view rest = bytes_.substr(from);
    TextLine line;
    for (size_t start = from; start < to && quenlo::NextLine(rest, line); start = bytes_.size() - rest.size()) {
      if (line.text.substr(0, key.size()) != key) continue;
      value = line.text.substr(key.size());
      pos_ = bytes_.size() - rest.size();
      return true;
    }
  }
  return false;
}

bool SettingsFileText::TakeLine(std::string_view line) {
  if (bytes_.substr(pos_, line.size()) != line) return false;
  pos_ += line.size();
  return true;
}

bool SettingsFileText::HasKeyed(std::string_view key) {
  if (!indexed_) Index();
  return keyed_.count(key) > 0;
}

bool SettingsFileText::FindKeyed(std::string_view key, std::string_view& value) {
  // The line at the read position, when it begins with the key, is the
  // first such line at or after it: in a file written in the order it is
  // read (every file the add-in saves) no lookup needs the index.
  if (!indexed_) {
    std::string_view rest = bytes_.substr(pos_);
    TextLine line;
    if (quenlo::NextLine(rest, line) && line.text.substr(0, key.size()) == key) {
      value = line.text.substr(key.size());
      pos_ = bytes_.size() - rest.size();
      return true;
    }
    // A few keys out of place (a line edited by hand, one missing) are
    // searched for line by line; a file with more of them gets the index.
    if (++searches_ <= kSearchesBeforeIndex) return SearchKeyed(key, value);
    Index();
  }
  auto it = keyed_.find(key);
  if (it == keyed_.end()) return false;
  const Lines& lines = it->second;
  const Line* found = &lines.first;
  if (found->start < pos_) {
    auto at = std::lower_bound(lines.more.begin(), lines.more.end(), pos_,
                               [](const Line& l, size_t pos) { return l.start < pos; });
    if (at != lines.more.end()) found = &*at;
  }
  value = bytes_.substr(found->start + key.size(), found->length - key.size());
  pos_ = found->next;
  return true;
}

std::wstring FindSettingsValue(SettingsFileText& file, std::string_view ansi_key, const std::wstring& fallback) {
  const size_t blanks = std::count(ansi_key.begin(), ansi_key.end(), ' ');
  if (!ansi_key.empty() && ansi_key.back() == ' ' && blanks <= 2) {
    std::string_view value;
    return file.FindKeyed(ansi_key, value) ? platform::FromAnsi(value) : fallback;
  }
  // Any other key: the forward search from the read position, then one
  // search from the top.
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
  SettingsFileText file(bytes);
  if (!HoldsAnyKey(file)) return false;
  ForEachFileField(true, [&](const SettingsField& f) {
    if (f.kind == FieldKind::kPath) s.*f.text = FindSettingsValue(file, FileKey(f.key), s.*f.text);
  });
  for (int i = 0; i < kWcsRows; ++i) wcs[i] = ReadRow(file, kWcsRowKey, i);
  for (int j = 0; j < kRefRows; ++j) ref[j] = ReadRow(file, kRefRowKey, j);
  ForEachFileField(true, [&](const SettingsField& f) {
    if (f.kind == FieldKind::kPath) return;
    std::string_view bytes = "0";
    file.FindKeyed(FileKey(f.key), bytes);
    std::string held;
    const std::string_view text = NumberText(bytes, held);
    if (f.kind == FieldKind::kNumber) {
      s.*f.number = ParseStoredDouble(text);
      return;
    }
    int value = ParseLeadingInt(text);
    if (f.kind == FieldKind::kFlag) value = value != 0 ? 1 : 0;  // a check box state
    // A selection outside its table's selectable rows starts on row 0.
    const int rows = f.integer == &LinkSettings::wcs_num ? kWcsSelectable : kRefRows;
    if (f.kind == FieldKind::kRowSelector && (value < 0 || value >= rows)) value = 0;
    s.*f.integer = value;
  });
  return true;
}

}  // namespace quenlo
