// The .reg reader that stands in for the registry on POSIX: any bytes import
// without a crash, and a file in the ANSI code page imports the same keys and
// values as the same text in UTF-16 with a byte-order mark (text data given as
// hex bytes aside, which the two encodings give differently on purpose).
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "common/utf16.h"
#include "platform/ansi.h"
#include "platform/posix/reg_file.h"
#include "platform/registry.h"

namespace {

using namespace quenlo::platform;

std::string Utf16WithMark(std::wstring_view text) { return "\xFF\xFE" + quenlo::EncodeUtf16(text); }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && (s.front() == L' ' || s.front() == L'\t' || s.front() == L'\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == L' ' || s.back() == L'\t' || s.back() == L'\r')) s.remove_suffix(1);
  return s;
}

// The keys and value names the text mentions, roughly as a reader would pick
// them out: enough to compare two imports through the lookups.
struct Mention {
  std::wstring key;
  std::optional<std::wstring> value;
};

std::vector<Mention> Mentions(std::wstring_view text) {
  std::vector<Mention> out;
  std::wstring key;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line[0] == L'[') {
      size_t close = line.rfind(L']');
      std::wstring_view path = line.substr(1, close == std::wstring_view::npos ? 0 : close - 1);
      if (!path.empty() && path[0] == L'-') path.remove_prefix(1);
      size_t cut = path.find(L'\\');
      key = cut == std::wstring_view::npos ? L"" : std::wstring(path.substr(cut + 1));
      out.push_back({key, std::nullopt});
    } else if (!line.empty() && line[0] == L'"') {
      size_t close = line.find(L'"', 1);
      if (close != std::wstring_view::npos) out.push_back({key, std::wstring(line.substr(1, close - 1))});
    } else if (!line.empty() && line[0] == L'@') {
      out.push_back({key, std::wstring()});
    }
  }
  return out;
}

void CheckValue(const RegValue* value) {
  if (!value) return;
  auto text = RegistryValueText(value->type, reinterpret_cast<const unsigned char*>(value->data.data()),
                                value->data.size());
  FUZZ_CHECK(text.has_value() == (value->type == 1 || value->type == 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetAnsiCodePage(932);
  std::string bytes(reinterpret_cast<const char*>(data), size);
  RegImage image;
  bool imported = image.Import(bytes);
  if (!imported) FUZZ_CHECK(!image.HasKey(L"SOFTWARE") && !image.HasKey(L"software"));

  bool marked = bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (marked || bytes.find('\0') != std::string::npos || bytes.find("hex(") != std::string::npos) {
    if (imported)
      for (const Mention& m : Mentions(FromAnsi(bytes)))
        if (m.value) CheckValue(image.FindValue(m.key, *m.value));
    return 0;
  }
  std::wstring text = FromAnsi(bytes);
  RegImage wide;
  FUZZ_CHECK(wide.Import(Utf16WithMark(text)) == imported);
  if (!imported) return 0;
  for (const Mention& m : Mentions(text)) {
    FUZZ_CHECK(image.HasKey(m.key) == wide.HasKey(m.key));
    if (!m.value) continue;
    const RegValue* a = image.FindValue(m.key, *m.value);
    const RegValue* b = wide.FindValue(m.key, *m.value);
    FUZZ_CHECK((a == nullptr) == (b == nullptr));
    if (a && b) FUZZ_CHECK(a->type == b->type && a->data == b->data);
    CheckValue(a);
  }
  return 0;
}
