// The code-page conversion of the POSIX back end (iconv), both ways: any bytes
// read as text and written back read as the same text; any wide text written
// in the code page reads back character for character, with '?' where the
// code page has no such character. Never a failure, never a crash.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "platform/ansi.h"

namespace {

using namespace quenlo::platform;

constexpr int kCodePages[] = {932, 65001, 1252, 936, 949, 950, 1251, 20127, 437, 874};
constexpr wchar_t kReplacement = 0xFFFD;

void CheckBytes(const std::string& bytes) {
  std::wstring text = FromAnsi(bytes);
  FUZZ_CHECK(text.size() <= bytes.size());
  std::wstring again = FromAnsi(ToAnsi(text));
  std::wstring replaced = FromAnsi(ToAnsi(std::wstring(1, kReplacement)));
  FUZZ_CHECK(replaced.size() == 1);
  FUZZ_CHECK(again.size() == text.size());
  for (size_t i = 0; i < text.size(); ++i) FUZZ_CHECK(again[i] == (text[i] == kReplacement ? replaced[0] : text[i]));
}

void CheckWide(const std::wstring& text) {
  std::string bytes = ToAnsi(text);
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
