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

}  // namespace
}  // namespace quenlo::platform
