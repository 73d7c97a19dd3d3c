#include "platform/temp_names.h"

namespace quenlo::platform {
namespace {

constexpr std::wstring_view kPrefix = L"~quenlo-";
constexpr std::wstring_view kSuffix = L".tmp";

// Reads a decimal number at the start of `text`; false when none stands there.
bool TakeNumber(std::wstring_view& text, unsigned long& value) {
  size_t n = 0;
  value = 0;
  while (n < text.size() && n < 10 && text[n] >= L'0' && text[n] <= L'9') value = value * 10 + (text[n++] - L'0');
  text.remove_prefix(n);
  return n > 0;
}

}  // namespace

std::wstring FolderPart(std::wstring_view path) {
#ifdef _WIN32
  size_t cut = path.find_last_of(L"\\/:");
#else
  size_t cut = path.find_last_of(L'/');
#endif
  return cut == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, cut + 1));
}

std::wstring TempFileName(unsigned long process_id, unsigned long serial) {
  return std::wstring(kPrefix) + std::to_wstring(process_id) + L"-" + std::to_wstring(serial) + std::wstring(kSuffix);
}

bool IsTempFileName(std::wstring_view name, unsigned long& process_id) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return false;
  name.remove_prefix(kPrefix.size());
  unsigned long serial = 0;
  if (!TakeNumber(name, process_id) || name.empty() || name.front() != L'-') return false;
  name.remove_prefix(1);
  return TakeNumber(name, serial) && name == kSuffix;
}

}  // namespace quenlo::platform
