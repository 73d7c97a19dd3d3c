#include "settings/ini_file.h"

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

// UTF-16LE bytes to wide text (surrogate pairs joined where wchar_t is wider).
std::wstring DecodeUtf16(std::string_view bytes) {
  std::wstring out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (sizeof(wchar_t) > 2 && unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      unsigned low = static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        out.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        i += 2;
        continue;
      }
    }
    out.push_back(static_cast<wchar_t>(unit));
  }
  return out;
}

std::string EncodeUtf16(std::wstring_view text) {
  std::string out;
  auto put = [&out](unsigned unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>((unit >> 8) & 0xFF));
  };
  for (wchar_t c : text) {
    auto code = static_cast<unsigned>(c);
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

}  // namespace

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  std::wstring text;
  bool ansi = false;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    ini.encoding_ = Encoding::kUtf16Bom;
    text = DecodeUtf16(bytes.substr(2));
  } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    ini.encoding_ = Encoding::kUtf8Bom;
    text = platform::FromUtf8(bytes.substr(3));
  } else {
    ansi = true;
  }
  if (ansi) {
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find('\n', start);
      std::string_view raw = bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
      // CR LF ends a line; a CR at the very end of the file is part of the last line.
      if (end != std::string_view::npos && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
      ini.lines_.push_back({platform::FromAnsi(raw), std::string(raw), false});
      if (end == std::string_view::npos) {
        ini.final_line_end_ = false;
        break;
      }
      start = end + 1;
    }
  } else {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(L'\n', start);
      std::wstring line = text.substr(start, end == npos ? npos : end - start);
      if (end != npos && !line.empty() && line.back() == L'\r') line.pop_back();
      ini.lines_.push_back({line, std::string(), true});
      if (end == npos) {
        ini.final_line_end_ = false;
        break;
      }
      start = end + 1;
    }
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
  Line entry{std::wstring(key) + L"=" + std::wstring(value), std::string(), true};
  final_line_end_ = true;
  size_t header = FindSection(section);
  if (header == npos) {
    lines_.push_back({L"[" + std::wstring(section) + L"]", std::string(), true});
    lines_.push_back(entry);
    indexed_header_ = npos;
    return;
  }
  size_t at = FindKey(header, key);
  if (at != npos) {
    lines_[at] = entry;  // the same name: the index stands
    return;
  }
  // A new key goes after the section's last non-blank line.
  size_t end = header + 1;
  std::wstring_view name;
  while (end < lines_.size() && !SectionName(lines_[end].text, name)) ++end;
  while (end > header + 1 && Trim(lines_[end - 1].text).empty()) --end;
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
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    bool last = i + 1 == lines_.size();
    std::wstring end = (last && !final_line_end_) ? L"" : L"\r\n";
    switch (encoding_) {
      case Encoding::kAnsi:
        out += line.changed ? platform::ToAnsi(line.text) : line.raw;
        out += platform::ToAnsi(end);
        break;
      case Encoding::kUtf8Bom:
        out += platform::ToUtf8(line.text + end);
        break;
      case Encoding::kUtf16Bom:
        out += EncodeUtf16(line.text + end);
        break;
    }
  }
  return out;
}

}  // namespace quenlo
