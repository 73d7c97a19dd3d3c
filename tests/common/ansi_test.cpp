// The code-page conversion of the platform layer, at the system's code page
// (932 on both builds' tests).
#include <gtest/gtest.h>

#include "platform/ansi.h"

namespace quenlo::platform {
namespace {

TEST(Ansi, ACharacterTheCodePageLacksBecomesAQuestionMark) {
  // A tag character: the POSIX conversion used to drop it without a trace.
  std::string tag = ToAnsi(L"a\U000E0001b");
  ASSERT_GE(tag.size(), 3u);
  EXPECT_EQ(tag.front(), 'a');
  EXPECT_EQ(tag.back(), 'b');
  EXPECT_EQ(tag.substr(1, tag.size() - 2).find_first_not_of('?'), std::string::npos);
  EXPECT_EQ(FromAnsi(ToAnsi(L"加工 ﾜｰｸ")), L"加工 ﾜｰｸ");
}

// Most text the add-in converts is ASCII with a few Japanese words. In code
// page 932 the second byte of a double-byte character may be an ASCII byte
// ("表" is 0x95 0x5C, a backslash): it belongs to its character, both ways.
TEST(Ansi, DoubleByteCharactersWithAsciiSecondBytesStayWhole) {
  const std::wstring text = L"表示ソフト\\能力 ｱｲｳabc十";
  const std::string bytes = "\x95\x5C\x8E\xA6\x83\x5C\x83t\x83g\x5C\x94\x5C\x97\xCD \xB1\xB2\xB3" "abc\x8F\x5C";
  EXPECT_EQ(ToAnsi(text), bytes);
  EXPECT_EQ(FromAnsi(bytes), text);
  EXPECT_EQ(FromAnsi("C:\\" + bytes + "\\x.nc"), L"C:\\" + text + L"\\x.nc");
  EXPECT_EQ(ToAnsi(L"a\u00E9b"), ToAnsi(L"a") + ToAnsi(L"\u00E9") + "b");  // é, which 932 lacks
  EXPECT_EQ(FromUtf8(ToUtf8(text + L"\U0001F600x")), text + L"\U0001F600x");
  EXPECT_EQ(ToUtf8(L"表a"), "\xE8\xA1\xA8" "a");
}

// A path goes into a file only when it comes back as it was: characters that
// become '?' or a look-alike (best fit) are named, each once, in order.
TEST(Ansi, CharactersTheCodePageCannotCarry) {
  const struct {
    const wchar_t* text;
    const wchar_t* lost;
  } cases[] = {
      {L"C:\\加工\\ﾜｰｸ 1\\part?.nc", L""}, {L"", L""},
      {L"C:\\caf\u00e9\\Zo\u00eb\\caf\u00e9", L"\u00e9\u00eb"},  // best fit would write e
      {L"D:\\\u00a5\\x", L"\u00a5"},                                 // ¥ would come back as a backslash
      {L"D:\\\U00020BB7\\\uD55C\uAE00\U0001F600", L"\U00020BB7\uD55C\uAE00\U0001F600"},
  };
  for (const auto& c : cases) EXPECT_EQ(CharactersNotInAnsi(c.text), c.lost) << ToUtf8(c.text);
}

}  // namespace
}  // namespace quenlo::platform
