// The rewrite engine on its own: line ends, block keys, long lines, encodings.
#include <gtest/gtest.h>

#include "export/project/template_rewrite.h"
#include "platform/ansi.h"

namespace quenlo {
namespace {

KeyRule Block(std::string key, std::vector<std::optional<std::string>> steps) {
  KeyRule rule;
  rule.key = std::move(key);
  rule.steps = std::move(steps);
  return rule;
}

KeyRules SampleRules() {
  KeyRules rules;
  rules.push_back(LineRule(".a ", ".a replaced"));
  rules.push_back(LineRule(".a replaced", ".a replaced again"));  // sees the replacement above
  rules.push_back(Block(".hdr 1 ", {std::string(".row1")}));
  rules.push_back(Block(".def", {std::nullopt, std::string(".defrow")}));
  rules.push_back(Block(".two", {std::string(".first"), std::string(".second")}));
  return rules;
}

std::string Rewrite(const std::string& text) { return RewriteTemplate(text, SampleRules()); }

TEST(TemplateRewrite, UnknownLinesAreCopiedWithCrLf) {
  EXPECT_EQ(Rewrite(""), "");
  EXPECT_EQ(Rewrite("x\r\ny\r\n"), "x\r\ny\r\n");
  EXPECT_EQ(Rewrite("x\ny\n"), "x\r\ny\r\n");
  EXPECT_EQ(Rewrite("x\r\n\r\n\ny"), "x\r\n\r\n\r\ny");      // blank lines kept, last line without end kept so
  EXPECT_EQ(Rewrite("lone\rcr\n"), "lone\rcr\r\n");          // a CR alone is part of the line
  std::string binary("\x82\xA0\x00\xFF\x1A", 5);            // any bytes pass unchanged
  EXPECT_EQ(Rewrite(binary + "\n"), binary + "\r\n");
}

TEST(TemplateRewrite, KeysMatchTheLineStartExactly) {
  EXPECT_EQ(Rewrite(".a x\n"), ".a replaced again\r\n");
  EXPECT_EQ(Rewrite(" .a x\n.A x\n.a\n.ax\n"), " .a x\r\n.A x\r\n.a\r\n.ax\r\n");
  EXPECT_EQ(Rewrite(".a 1\nkeep\n.a 2"), ".a replaced again\r\nkeep\r\n.a replaced again\r\n");  // twice, and a replaced last line ends
  EXPECT_EQ(Rewrite(".hdr 10 \n.W\n"), ".hdr 10 \r\n.W\r\n");                               // the blank keeps 1 from 10
}

TEST(TemplateRewrite, BlockKeysReplaceTheLinesAfterThem) {
  EXPECT_EQ(Rewrite(".hdr 1 EXOFS\n; comment\nnext\n"), ".hdr 1 EXOFS\r\n.row1\r\nnext\r\n");
  EXPECT_EQ(Rewrite(".def\nkept\nold\nnext\n"), ".def\r\nkept\r\n.defrow\r\nnext\r\n");
  EXPECT_EQ(Rewrite(".two\nx\ny\nz\n"), ".two\r\n.first\r\n.second\r\nz\r\n");
  // Lines taken by a block are not tried against keys.
  EXPECT_EQ(Rewrite(".def\n.a 1\n.a 2\n"), ".def\r\n.a 1\r\n.defrow\r\n");
  // Lines kept, replaced and taken by blocks, with both line ends, in order.
  EXPECT_EQ(Rewrite("x\r\ny\r\n.a 1\r\nz\nw\r\n.def\r\nk\r\nold\r\nq\r\n\r\nr\r\r\nend"),
            "x\r\ny\r\n.a replaced again\r\nz\r\nw\r\n.def\r\nk\r\n.defrow\r\nq\r\n\r\nr\r\r\nend");
}

TEST(TemplateRewrite, BlockKeysAtTheEndStillWriteTheirReplacement) {
  EXPECT_EQ(Rewrite("x\n.hdr 1 "), "x\r\n.hdr 1 \r\n.row1\r\n");
  EXPECT_EQ(Rewrite(".def\n"), ".def\r\n.defrow\r\n");             // the key line is not written twice
  EXPECT_EQ(Rewrite(".def\nkept"), ".def\r\nkept\r\n.defrow\r\n");  // the last two lines
  EXPECT_EQ(Rewrite(".two"), ".two\r\n.first\r\n.second\r\n");
  EXPECT_EQ(Rewrite(".two\nx"), ".two\r\n.first\r\n.second\r\n");
}

TEST(TemplateRewrite, LongLinesAreReadWhole) {
  std::string long_line(9000, 'x');
  std::string keyed = std::string(8190, 'y') + ".a z";  // a key past 8190 characters is not at a line start
  std::string text = long_line + "\r\n" + keyed + "\r\n" + ".a " + std::string(20000, 'q');
  EXPECT_EQ(Rewrite(text), long_line + "\r\n" + keyed + "\r\n.a replaced again\r\n");
}

TEST(TemplateRewrite, Utf8TemplateWithByteOrderMarkIsWrittenInTheAnsiCodePage) {
  platform::SetAnsiCodePage(932);
  std::string text = "\xEF\xBB\xBF.a 1\n" + platform::ToUtf8(L";ワーク 部品\n");
  EXPECT_EQ(Rewrite(text), ".a replaced again\r\n" + platform::ToAnsi(L";ワーク 部品") + "\r\n");
  EXPECT_EQ(platform::ToAnsi(L";ワーク"), ";\x83\x8F\x81\x5B\x83\x4E");
}

}  // namespace
}  // namespace quenlo
