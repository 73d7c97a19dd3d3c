// ANSI code-page conversion on Windows: the system's ANSI code page (CP_ACP),
// exactly as the Win32 "A" functions see it.
#include <windows.h>

#include "platform/ansi.h"

namespace quenlo::platform {
namespace {

std::string FromWide(UINT code_page, std::wstring_view text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring ToWide(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  int size = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
  return out;
}

}  // namespace

std::string ToAnsi(std::wstring_view text) { return FromWide(CP_ACP, text); }
std::wstring FromAnsi(std::string_view bytes) { return ToWide(CP_ACP, bytes); }
std::string ToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::wstring FromUtf8(std::string_view bytes) { return ToWide(CP_UTF8, bytes); }

int AnsiCodePage() { return static_cast<int>(GetACP()); }
void SetAnsiCodePage(int) {}  // the system decides on Windows

bool CanConvertCodePage(int code_page) { return code_page > 0 && IsValidCodePage(static_cast<UINT>(code_page)); }

}  // namespace quenlo::platform
