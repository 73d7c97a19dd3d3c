// The setup sheet's pieces that the scripted session cannot reach one by one:
// the data block read back, what counts as no previous sheet, the changes,
// escaping, and the sheet's path.
#include <gtest/gtest.h>

#include "export/sheet/sheet_data.h"
#include "export/sheet/sheet_text.h"
#include "export/sheet/sheet_writer.h"

namespace quenlo::sheet {
namespace {

SheetData Sample() {
  SheetData d;
  ToolData t;
  t.number = 3;
  t.values = {"<script>alert(1)</script> \"&\" \\ 工具\n", "ミル", "75", "60", "10", "D3", "5", "H3", "100", "/0"};
  d.tools.push_back(t);
  t.number = 7;
  t.values[2] = "50";
  d.tools.push_back(t);
  OffsetData o;
  o.row = 1;
  o.code = "G54";
  o.values = {"12.5", "0", "-200", "0", "0", "0", "0", "0", "0"};
  d.offsets.push_back(o);
  return d;
}

TEST(SheetData, BlockReadsBackAndCannotBeClosedByItsText) {
  PageText text;
  text += "<html><body>";
  AppendDataBlock(text, Sample());
  const std::string page = text.str();
  EXPECT_EQ(page.find("</script>"), page.rfind("</script>"));  // the text holds none
  auto back = ReadDataBlock(page);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->tools.size(), 2u);
  EXPECT_EQ(back->tools[0].values, Sample().tools[0].values);
  EXPECT_EQ(back->offsets[0].values, Sample().offsets[0].values);
  EXPECT_TRUE(Changes(*back, Sample()).empty());
}

TEST(SheetData, AnythingElseIsNoPreviousSheet) {
  PageText text;
  AppendDataBlock(text, Sample());
  const std::string good = text.str();
  const size_t body = good.find('{');
  for (std::string page : {std::string(), std::string("not html at all"), good.substr(0, good.size() / 2),
                           good.substr(0, body) + "[]</script>", good.substr(0, body) + "{\"format\":1}</script>",
                           good.substr(0, body) + std::string(200, '[') + "</script>",
                           good.substr(0, body) + "{\"format\":\"quenlo-setup-sheet/1\",\"tools\":[{\"t\":1}],"
                                                  "\"offsets\":[]}</script>",
                           good.substr(0, body) + "{\"format\":\"quenlo-setup-sheet/1\",\"tools\":[],"
                                                  "\"offsets\":[{\"row\":1,\"code\":\"G54\",\"values\":[\"1\"]}]}</script>",
                           good.substr(0, body) + "\"\\ud800\"</script>"})
    EXPECT_FALSE(ReadDataBlock(page)) << page;
}

TEST(SheetData, Changes) {
  SheetData before = Sample(), now = Sample();
  now.tools[0].values[2] = "80";
  now.tools[0].values[9] = "";
  now.tools.erase(now.tools.begin() + 1);
  ToolData added = now.tools[0];
  added.number = 12;
  now.tools.push_back(added);
  now.offsets[0].values[0] = "13";
  OffsetData g55 = now.offsets[0];
  g55.row = 2;
  g55.code = "G55";
  now.offsets.push_back(g55);
  before.offsets.push_back(g55);
  before.offsets.back().row = 9;
  before.offsets.back().code = "G54.1P3";
  const std::vector<std::string> expected = {"T3 全長 75 → 80", "T3 ホルダー /0 → -", "T12 追加", "T7 削除",
                                             "G54 X 12.5 → 13",  "G55 新たに使用",      "G54.1P3 使用なし"};
  EXPECT_EQ(Changes(before, now), expected);
  // The same from the pages: the entries that did not change are matched as text.
  PageText previous, written;
  AppendDataBlock(previous, before);
  std::vector<std::pair<size_t, size_t>> entries;
  AppendDataBlock(written, now, &entries);
  const auto since = CompareWithPrevious(previous.view(), now, written.view(), entries);
  ASSERT_TRUE(since);
  EXPECT_EQ(since->changes, expected);
  EXPECT_EQ(since->marked, (std::vector<int>{3, 12}));
}

TEST(SheetText, EscapesAndEncodes) {
  PageText out;
  AppendEscaped(out, std::wstring(L"<a href='x'>\"R&D\"</a> 工具"));
  EXPECT_EQ(out.view(), "&lt;a href=&#39;x&#39;&gt;&quot;R&amp;D&quot;&lt;/a&gt; 工具");
  EXPECT_EQ(Utf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");  // a lone surrogate
}

TEST(SheetPath, ExtensionReplaced) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\job\\part1.prjx", L"C:\\job\\part1.setup.html"},
      {L"C:\\rev.2\\part1", L"C:\\rev.2\\part1.setup.html"},
      {L"out/a.b.prj", L"out/a.b.setup.html"},
      {L"part", L"part.setup.html"},
  };
  for (const auto& [project, sheet] : cases) EXPECT_EQ(SetupSheetPath(project), sheet);
}

}  // namespace
}  // namespace quenlo::sheet
