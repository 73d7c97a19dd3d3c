// The code-page conversion of the POSIX back end (iconv), both ways: any bytes
// read as text and written back read as the same text; any wide text written
// in the code page reads back character for character, with '?' where the
// code page has no such character. Never a failure, never a crash.
#include <fuzzer/FuzzedDataProvider.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "fuzz_check.h"
#include "platform/ansi.h"

namespace {

using namespace quenlo::platform;

constexpr int kCodePages[] = {932, 65001, 1252, 936, 949, 950, 1251, 20127, 437, 874};
constexpr wchar_t kReplacement = 0xFFFD;
// The wide charset the back end converts through. Not iconv's "WCHAR_T":
// glibc reads a 5- or 6-byte UTF-8 sequence into it as a value beyond
// U+10FFFF, where the back end (as Windows) replaces each byte.
const char* const kWide = sizeof(wchar_t) == 4 ? "UTF-32LE" : "UTF-16LE";

// The whole text through one iconv call, or nothing where iconv refuses any
// of it: an oracle for text that needs no replacement, independent of how the
// conversion splits the text into pieces.
std::optional<std::wstring> WholeConversion(const std::string& bytes, int code_page) {
  std::string name = code_page == 65001 ? "UTF-8" : code_page == 20127 ? "ASCII" : "CP" + std::to_string(code_page);
  iconv_t cd = iconv_open(kWide, name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::wstring out(bytes.size() + 1, L'\0');
  char* src = const_cast<char*>(bytes.data());
  size_t src_left = bytes.size();
  char* dst = reinterpret_cast<char*>(out.data());
  size_t dst_left = out.size() * sizeof(wchar_t);
  size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1) || src_left != 0) return std::nullopt;
  out.resize(out.size() - dst_left / sizeof(wchar_t));
  return out;
}

// The same the other way: wide text to the code page in one iconv call.
std::optional<std::string> WholeNarrowing(const std::wstring& text, int code_page) {
  std::string name = code_page == 65001 ? "UTF-8" : code_page == 20127 ? "ASCII" : "CP" + std::to_string(code_page);
  iconv_t cd = iconv_open(name.c_str(), kWide);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 8 + 16, '\0');
  char* src = reinterpret_cast<char*>(const_cast<wchar_t*>(text.data()));
  size_t src_left = text.size() * sizeof(wchar_t);
  char* dst = out.data();
  size_t dst_left = out.size();
  size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  if (rc == 0) rc = iconv(cd, nullptr, nullptr, &dst, &dst_left);  // any closing sequence
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1) || src_left != 0) return std::nullopt;
  out.resize(out.size() - dst_left);
  return out;
}

void CheckBytes(const std::string& bytes) {
  std::wstring text = FromAnsi(bytes);
  if (auto whole = WholeConversion(bytes, AnsiCodePage())) FUZZ_CHECK(text == *whole);
  FUZZ_CHECK(text.size() <= bytes.size());
  std::wstring again = FromAnsi(ToAnsi(text));
  std::wstring replaced = FromAnsi(ToAnsi(std::wstring(1, kReplacement)));
  FUZZ_CHECK(replaced.size() == 1);
  FUZZ_CHECK(again.size() == text.size());
  for (size_t i = 0; i < text.size(); ++i) FUZZ_CHECK(again[i] == (text[i] == kReplacement ? replaced[0] : text[i]));
}

void CheckWide(const std::wstring& text) {
  std::string bytes = ToAnsi(text);
  // iconv's conversion may succeed with a character dropped (U+E0000 tags):
  // compared only where it kept every character.
  if (auto whole = WholeNarrowing(text, AnsiCodePage()); whole && FromAnsi(*whole).size() == text.size())
    FUZZ_CHECK(bytes == *whole);
  std::wstring back = FromAnsi(bytes);
  FUZZ_CHECK(back.size() == text.size());
  // A character the code page holds only by a near one (U+00A3 as the full
  // width pound sign in 932) reads back as that one, which writes the same.
  for (size_t i = 0; i < text.size(); ++i)
    FUZZ_CHECK(back[i] == text[i] || back[i] == L'?' || ToAnsi(std::wstring(1, back[i])) == ToAnsi(std::wstring(1, text[i])));

  std::wstring utf8 = FromUtf8(ToUtf8(text));
  FUZZ_CHECK(utf8.size() == text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned long>(text[i]);
    bool scalar = c < 0xD800 || (c >= 0xE000 && c <= 0x10FFFF);
    FUZZ_CHECK(utf8[i] == (scalar ? text[i] : kReplacement));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  SetAnsiCodePage(in.PickValueInArray(kCodePages));
  std::wstring wide;
  size_t count = in.ConsumeIntegralInRange<size_t>(0, 64);
  for (size_t i = 0; i < count && in.remaining_bytes() > 0; ++i) {
    // Mostly characters the code pages hold, sometimes any 32-bit unit.
    if (in.ConsumeBool())
      wide.push_back(static_cast<wchar_t>(in.ConsumeIntegralInRange<unsigned>(0, 0x30FF)));
    else
      wide.push_back(static_cast<wchar_t>(in.ConsumeIntegral<unsigned>()));
  }
  CheckWide(wide);
  CheckBytes(in.ConsumeRemainingBytesAsString());
  return 0;
}
