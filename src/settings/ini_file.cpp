#include "settings/ini_file.h"

#include "common/one_line.h"
#include "common/utf16.h"
#include "platform/ansi.h"

namespace quenlo {
namespace {

constexpr size_t npos = std::wstring::npos;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

wchar_t FoldCase(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// A name as SameName compares it: trimmed, letter case folded.
std::wstring NameKey(std::wstring_view name) {
  name = Trim(name);
  std::wstring key(name);
  for (wchar_t& c : key) c = FoldCase(c);
  return key;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// The name of a section header line, or nothing for another line.
bool SectionName(std::wstring_view line, std::wstring_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != L'[') return false;
  size_t close = line.rfind(L']');
  name = Trim(line.substr(1, close == npos || close == 0 ? npos : close - 1));
  return true;
}

}  // namespace

// Every line keeps its original bytes, so that a line the add-in does not
// change is written back exactly as it was, whatever the decoding made of it.
IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  size_t unit = 1;
  if (HasUtf16Mark(bytes) && LooksLikeUtf16(bytes.substr(2))) {
    bytes.remove_prefix(2);
    ini.encoding_ = Encoding::kUtf16Bom;
    unit = 2;
  } else {
    // 8-bit text behind UTF-16 marks is taken as the file that follows them
    // (ANSI text, or UTF-8 behind its own mark) and written back without
    // them: one consistent file that reads back as it was written.
    while (HasUtf16Mark(bytes)) bytes.remove_prefix(2);
  }
  if (ini.encoding_ == Encoding::kAnsi && bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    ini.encoding_ = Encoding::kUtf8Bom;
    bytes.remove_prefix(3);
  }
  auto is_unit = [&](size_t at, char c) { return bytes[at] == c && (unit == 1 || bytes[at + 1] == '\0'); };
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = start;
    while (end + unit <= bytes.size() && !is_unit(end, '\n')) end += unit;
    bool has_end = end + unit <= bytes.size();
    if (!has_end) end = bytes.size();
    size_t content_end = end;
    if (has_end && content_end >= start + unit && is_unit(content_end - unit, '\r')) content_end -= unit;
    std::string raw(bytes.substr(start, content_end - start));
    std::wstring text = ini.encoding_ == Encoding::kUtf16Bom  ? DecodeUtf16(raw)
                        : ini.encoding_ == Encoding::kUtf8Bom ? platform::FromUtf8(raw)
                                                               : platform::FromAnsi(raw);
    ini.lines_.push_back({std::move(text), std::move(raw), false});
    if (!has_end) {
      ini.final_line_end_ = false;
      break;
    }
    start = end + unit;
  }
  return ini;
}

size_t IniFile::FindSection(std::wstring_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::wstring_view name;
    if (SectionName(lines_[i].text, name) && SameName(name, section)) return i;
  }
  return npos;
}

void IniFile::IndexSection(size_t header) const {
  key_lines_.clear();
  for (size_t i = header + 1; i < lines_.size(); ++i) {
    std::wstring_view name;
    if (SectionName(lines_[i].text, name)) break;
    std::wstring_view line = lines_[i].text;
    key_lines_.emplace(NameKey(line.substr(0, line.find(L'='))), i);  // the first of a name stays
  }
  indexed_header_ = header;
}

size_t IniFile::FindKey(size_t header, std::wstring_view key) const {
  if (indexed_header_ != header) IndexSection(header);
  auto found = key_lines_.find(NameKey(key));
  return found == key_lines_.end() ? npos : found->second;
}

std::optional<std::wstring> IniFile::Get(std::wstring_view section, std::wstring_view key) const {
  size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  size_t at = FindKey(header, key);
  if (at == npos) return std::nullopt;
  std::wstring_view line = lines_[at].text;
  size_t eq = line.find(L'=');
  if (eq == npos) return std::nullopt;  // a key without a value reads as missing
  std::wstring_view value = Trim(line.substr(eq + 1));
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::wstring(value);
}

void IniFile::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  // One line: a line break in the key or the value would add lines of its own.
  Line entry{OneLine(key) + L"=" + OneLine(value), std::string(), true};
  // A written line ends with a line end, and so does the line before it; the
  // last line of the file keeps its own otherwise.
  size_t header = FindSection(section);
  if (header == npos) {
    lines_.push_back({L"[" + std::wstring(section) + L"]", std::string(), true});
    lines_.push_back(entry);
    indexed_header_ = npos;
    final_line_end_ = true;
    return;
  }
  size_t at = FindKey(header, key);
  if (at != npos) {
    lines_[at] = entry;
    if (at + 1 == lines_.size()) final_line_end_ = true;
    return;
  }
  // A new key goes after the section's last non-blank line.
  size_t end = header + 1;
  std::wstring_view name;
  while (end < lines_.size() && !SectionName(lines_[end].text, name)) ++end;
  while (end > header + 1 && Trim(lines_[end - 1].text).empty()) --end;
  if (end == lines_.size()) final_line_end_ = true;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), entry);
  if (SectionName(entry.text, name)) {  // a key that reads as a header splits the section
    indexed_header_ = npos;
    return;
  }
  // The section is indexed (FindKey above): the lines after the new one move down.
  for (auto& indexed : key_lines_)
    if (indexed.second >= end) ++indexed.second;
  auto [first, added] = key_lines_.emplace(NameKey(entry.text.substr(0, entry.text.find(L'='))), end);
  if (!added && first->second > end) first->second = end;
}

std::string IniFile::Serialize() const {
  std::string out;
  if (encoding_ == Encoding::kUtf16Bom) out = "\xFF\xFE";
  if (encoding_ == Encoding::kUtf8Bom) out = "\xEF\xBB\xBF";
  auto encode = [this](std::wstring_view text) {
    switch (encoding_) {
      case Encoding::kUtf8Bom: return platform::ToUtf8(text);
      case Encoding::kUtf16Bom: return EncodeUtf16(text);
      case Encoding::kAnsi: break;
    }
    return platform::ToAnsi(text);
  };
  const std::string line_end = encode(L"\r\n");
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    out += line.changed ? encode(line.text) : line.raw;
    if (i + 1 < lines_.size() || final_line_end_) {
      // A UTF-16 file cut after an odd byte: its last unit is completed, or
      // every line after it would stand at odd offsets and read as garbage.
      if (encoding_ == Encoding::kUtf16Bom && out.size() % 2 != 0) out += '\0';
      out += line_end;
    }
  }
  return out;
}

}  // namespace quenlo
