// The settings store's INI reader and writer: a file read and written back
// with nothing set keeps its bytes (lines ending in LF alone come back with
// CR LF, as every line the store writes); a value set reads back, both from
// the file object and from the bytes it writes.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/ansi.h"
#include "settings/ini_file.h"

namespace {

using quenlo::IniFile;

// Characters of names and values: printable ASCII and a few Japanese ones
// (all in code page 932).
const wchar_t kAlphabet[] = L" \t=[]\"'#;abcdeXYZ019_.-\\/:設定値ｶﾅ表示";

std::wstring Text(FuzzedDataProvider& in, size_t max_length) {
  std::wstring out;
  size_t length = in.ConsumeIntegralInRange<size_t>(0, max_length);
  for (size_t i = 0; i < length; ++i)
    out.push_back(kAlphabet[in.ConsumeIntegralInRange<size_t>(0, sizeof kAlphabet / sizeof *kAlphabet - 2)]);
  return out;
}

bool Blank(wchar_t c) { return c == L' ' || c == L'\t'; }

// A name the store can hold: not empty or blank at either end, and (for a
// key) no "=" and not read as a section header; a section name has no "]".
bool GoodName(const std::wstring& name, bool section) {
  if (name.empty() || Blank(name.front()) || Blank(name.back())) return false;
  if (section) return name.find(L']') == std::wstring::npos;
  return name.find(L'=') == std::wstring::npos && name.front() != L'[';
}

// A value that reads back as written: no blanks at either end, not enclosed
// in a pair of quotes.
bool GoodValue(const std::wstring& value) {
  if (value.empty()) return true;
  if (Blank(value.front()) || Blank(value.back())) return false;
  return !(value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front());
}

// A file whose mark says UTF-16 or UTF-8 and whose content is not that
// encoding (an odd byte count, 8-bit text without the zero high bytes of
// UTF-16, a byte sequence that is not UTF-8) may be made consistent when it is
// next written; only a consistent one must be kept as is.
bool Consistent(const std::string& bytes) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
    bool zero_high_byte = bytes.size() == 2;
    for (size_t i = 3; i < bytes.size(); i += 2) zero_high_byte = zero_high_byte || bytes[i] == '\0';
    return bytes.size() % 2 == 0 && zero_high_byte;
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    std::string body = bytes.substr(3);
    return quenlo::platform::ToUtf8(quenlo::platform::FromUtf8(body)) == body;
  }
  return true;
}

// UTF-16LE with a mark: every LF unit without a CR unit before it given one.
std::string CrLf16(const std::string& bytes) {
  std::string out = bytes.substr(0, 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    bool lone_lf = bytes[i] == '\n' && bytes[i + 1] == 0 && !(i >= 4 && bytes[i - 2] == '\r' && bytes[i - 1] == 0);
    if (lone_lf) out += std::string("\r\0", 2);
    out += bytes.substr(i, 2);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::wstring section = Text(in, 12);
  std::wstring key = Text(in, 12);
  std::wstring value = Text(in, 24);
  std::string bytes = in.ConsumeRemainingBytesAsString();
  quenlo::platform::SetAnsiCodePage(932);

  IniFile ini = IniFile::Parse(bytes);
  std::string unchanged = ini.Serialize();
  bool utf16 = bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0;
  if (Consistent(bytes)) FUZZ_CHECK(unchanged == (utf16 ? CrLf16(bytes) : CrLf(bytes)));

  if (!GoodName(section, true) || !GoodName(key, false) || !GoodValue(value)) return 0;
  ini.Set(section, key, value);
  FUZZ_CHECK(ini.Get(section, key) == value);
  IniFile reread = IniFile::Parse(ini.Serialize());
  FUZZ_CHECK(reread.Get(section, key) == value);
  return 0;
}
