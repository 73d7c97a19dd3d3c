#include "platform/posix/reg_file.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "common/utf16.h"
#include "platform/ansi.h"
#include "platform/registry.h"

namespace quenlo::platform {
namespace {

constexpr unsigned long kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7;

std::wstring Fold(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return out;
}

// Key path below the root, folded, without leading, trailing or doubled separators.
std::wstring NormalKey(std::wstring_view path) {
  std::wstring out;
  size_t i = 0;
  while (i < path.size()) {
    size_t end = path.find(L'\\', i);
    if (end == std::wstring_view::npos) end = path.size();
    if (end > i) {
      if (!out.empty()) out.push_back(L'\\');
      out.append(path.substr(i, end - i));
    }
    i = end + 1;
  }
  return Fold(out);
}

std::string Utf16Bytes(std::wstring_view text, bool terminate) {
  std::string out = EncodeUtf16(text);
  if (terminate) out.append(2, '\0');
  return out;
}

// UTF-16LE text, surrogate pairs joined (up to a NUL, which ends the text).
std::wstring DecodeUtf16(std::string_view bytes) {
  return RegistryValueText(kRegSz, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())
      .value_or(std::wstring());
}

// The file's text: UTF-16LE or UTF-8 after their byte-order marks, otherwise
// the ANSI code page, as regedit reads a file without a mark.
bool IsUtf16File(std::string_view bytes) { return HasUtf16Mark(bytes); }

std::wstring DecodeFile(std::string_view bytes) {
  if (IsUtf16File(bytes)) return DecodeUtf16(bytes.substr(2));
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return FromUtf8(bytes.substr(3));
  return FromAnsi(bytes);
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view TrimBlanks(std::wstring_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == L'\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == L'\r')) s.remove_suffix(1);
  return s;
}

// A quoted string at `pos` (which stands on the opening quote), with the
// escapes regedit writes: \\ \" and \n \r \0. Advances past the closing quote.
std::optional<std::wstring> QuotedString(std::wstring_view s, size_t& pos) {
  if (pos >= s.size() || s[pos] != L'"') return std::nullopt;
  std::wstring out;
  for (size_t i = pos + 1; i < s.size(); ++i) {
    wchar_t c = s[i];
    if (c == L'"') {
      pos = i + 1;
      return out;
    }
    if (c == L'\\' && i + 1 < s.size()) {
      wchar_t e = s[++i];
      switch (e) {
        case L'\\': out.push_back(L'\\'); break;
        case L'"': out.push_back(L'"'); break;
        case L'n': out.push_back(L'\n'); break;
        case L'r': out.push_back(L'\r'); break;
        case L'0': out.push_back(L'\0'); break;
        default: out.push_back(L'\\'); out.push_back(e); break;
      }
      continue;
    }
    out.push_back(c);
  }
  return std::nullopt;  // no closing quote
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// "hh,hh,..." (blanks allowed around the bytes); empty gives no bytes.
std::optional<std::string> HexBytes(std::wstring_view s) {
  std::string out;
  s = TrimBlanks(s);
  if (s.empty()) return out;
  size_t i = 0;
  for (;;) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size()) return out;  // a trailing comma
    int hi = HexDigit(s[i]);
    int lo = i + 1 < s.size() ? HexDigit(s[i + 1]) : -1;
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
    i += 2;
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size()) return out;
    if (s[i] != L',') return std::nullopt;
    ++i;
  }
}

// The data after "=": a string, dword:, hex: or hex(N):. Nothing when the text
// is none of them.
std::optional<RegValue> ValueData(std::wstring_view s, bool unicode_file) {
  RegValue value;
  if (!s.empty() && s[0] == L'"') {
    size_t pos = 0;
    auto text = QuotedString(s, pos);
    if (!text) return std::nullopt;
    std::wstring_view rest = TrimBlanks(s.substr(pos));
    if (!rest.empty() && rest[0] != L';') return std::nullopt;
    value.type = kRegSz;
    value.data = Utf16Bytes(*text, true);
    return value;
  }
  if (s.substr(0, 6) == L"dword:") {
    std::wstring_view digits = TrimBlanks(s.substr(6));
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t n = 0;
    for (wchar_t c : digits) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      n = n * 16 + static_cast<std::uint32_t>(d);
    }
    value.type = kRegDword;
    for (int b = 0; b < 4; ++b) value.data.push_back(static_cast<char>((n >> (8 * b)) & 0xFF));
    return value;
  }
  if (s.substr(0, 3) != L"hex") return std::nullopt;
  size_t colon = s.find(L':');
  if (colon == std::wstring_view::npos) return std::nullopt;
  std::wstring_view kind = s.substr(3, colon - 3);
  value.type = kRegBinary;
  if (!kind.empty()) {
    if (kind.size() < 3 || kind.front() != L'(' || kind.back() != L')') return std::nullopt;
    unsigned long type = 0;
    for (wchar_t c : kind.substr(1, kind.size() - 2)) {
      int d = HexDigit(c);
      if (d < 0 || type > 0xFFFFFFF) return std::nullopt;
      type = type * 16 + static_cast<unsigned long>(d);
    }
    value.type = type;
  }
  auto bytes = HexBytes(s.substr(colon + 1));
  if (!bytes) return std::nullopt;
  value.data = *bytes;
  // An 8-bit file gives text types in the ANSI code page; the registry holds UTF-16.
  if (!unicode_file && (value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz)) {
    value.data = Utf16Bytes(FromAnsi(value.data), false);
  }
  return value;
}

}  // namespace

bool RegImage::Import(std::string_view file_bytes) {
  std::wstring text = DecodeFile(file_bytes);
  std::vector<std::wstring_view> lines;
  std::wstring_view all(text);
  for (size_t i = 0; i <= all.size();) {
    size_t end = all.find(L'\n', i);
    if (end == std::wstring_view::npos) end = all.size();
    lines.push_back(all.substr(i, end - i));
    i = end + 1;
  }
  size_t first = 0;
  while (first < lines.size() && TrimBlanks(lines[first]).empty()) ++first;
  if (first == lines.size()) return false;
  std::wstring_view header = TrimBlanks(lines[first]);
  if (header != L"Windows Registry Editor Version 5.00" && header != L"REGEDIT4") return false;
  // Text data given as hex bytes is UTF-16 in a UTF-16 file and ANSI bytes in
  // any other, whatever the header says (as regedit imports it).
  bool unicode_file = IsUtf16File(file_bytes);

  std::optional<std::wstring> current;  // the folded key that value lines go to; none outside HKLM
  for (size_t n = first + 1; n < lines.size(); ++n) {
    std::wstring line(TrimBlanks(lines[n]));
    // A hex value may go on over several lines, each but the last ending in "\".
    while (!line.empty() && line.back() == L'\\' && line.find(L"=hex") != std::wstring::npos &&
           n + 1 < lines.size()) {
      line.pop_back();
      line += TrimBlanks(lines[++n]);
    }
    if (line.empty() || line[0] == L';') continue;
    if (line[0] == L'[') {
      current.reset();
      size_t close = line.rfind(L']');
      if (close == std::wstring::npos) continue;
      std::wstring_view path(line.data() + 1, close - 1);
      bool remove = !path.empty() && path[0] == L'-';
      if (remove) path.remove_prefix(1);
      size_t cut = path.find(L'\\');
      std::wstring root = Fold(path.substr(0, cut));
      if (root != L"hkey_local_machine" && root != L"hklm") continue;
      std::wstring key = NormalKey(cut == std::wstring_view::npos ? std::wstring_view() : path.substr(cut + 1));
      if (remove) {
        for (auto it = keys_.begin(); it != keys_.end();) {
          bool below = it->first.size() > key.size() && it->first.compare(0, key.size(), key) == 0 &&
                       it->first[key.size()] == L'\\';
          it = (it->first == key || below || key.empty()) ? keys_.erase(it) : std::next(it);
        }
      } else {
        keys_[key];
        current = key;
      }
      continue;
    }
    if (!current) continue;
    std::wstring name;
    size_t pos = 0;
    if (line[0] == L'@') {
      pos = 1;
    } else {
      auto quoted = QuotedString(line, pos);
      if (!quoted) continue;
      name = *quoted;
    }
    std::wstring_view rest = TrimBlanks(std::wstring_view(line).substr(pos));
    if (rest.empty() || rest[0] != L'=') continue;
    rest = TrimBlanks(rest.substr(1));
    std::map<std::wstring, RegValue>& values = keys_[*current];
    if (rest == L"-") {
      values.erase(Fold(name));
      continue;
    }
    if (auto value = ValueData(rest, unicode_file)) values[Fold(name)] = *value;
  }
  return true;
}

bool RegImage::HasKey(std::wstring_view path) const {
  std::wstring key = NormalKey(path);
  if (key.empty() || keys_.count(key)) return true;
  std::wstring below = key + L'\\';
  auto it = keys_.lower_bound(below);
  return it != keys_.end() && it->first.compare(0, below.size(), below) == 0;
}

const RegValue* RegImage::FindValue(std::wstring_view path, std::wstring_view name) const {
  auto key = keys_.find(NormalKey(path));
  if (key == keys_.end()) return nullptr;
  auto value = key->second.find(Fold(name));
  return value == key->second.end() ? nullptr : &value->second;
}

}  // namespace quenlo::platform
