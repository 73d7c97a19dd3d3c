#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "common/utf16.h"
#include "platform/ansi.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

struct Tables {
  AxisRow wcs[kWcsRows] = {};
  AxisRow ref[kRefRows] = {};
};

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start + 2));
    start = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l;
  return out;
}

AxisRow Row(double first) {
  AxisRow row;
  for (size_t i = 0; i < row.size(); ++i) row[i] = first + static_cast<double>(i);
  return row;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetAnsiCodePage(932);
    record.mch = L"D:\\機械\\vmc 5axis.mch";
    record.exe = L"C:\\Program Files\\Tarvik\\Tarvik.exe";
    record.prj = L"D:\\work\\part1.prjx";
    record.tol = L"D:\\work\\part1.tol";
    record.wrk = L"";
    record.nc_file = L"D:\\NC\\not stored.NC";
    record.exe_alt = L"C:\\Pellast\\Pellast.exe";
    record.part_x = 1234.5678;
    record.part_y = -0.0000001;
    record.part_z = 20;
    record.a_axis_y = 1.5;
    record.a_axis_z = -2.5;
    record.b_axis_x = 3;
    record.b_axis_z = 4;
    record.c_axis_x = 5;
    record.c_axis_y = 6;
    record.ref_from_m = 1;
    record.ref_num = 3;
    record.wcs_num = 307;
    saved->wcs[5] = Row(1234.5678);
    saved->wcs[315] = Row(-7);
    saved->ref[4] = Row(0.001);
  }
  std::string Bytes() const { return FormatSettingsFile(record, saved->wcs, saved->ref); }
  // Loads `bytes` into `loaded` (starting from an empty record) and `tables`.
  bool Load(const std::string& bytes) { return ParseSettingsFile(bytes, loaded, tables->wcs, tables->ref); }

  LinkSettings record;
  std::unique_ptr<Tables> saved = std::make_unique<Tables>();
  LinkSettings loaded;
  std::unique_ptr<Tables> tables = std::make_unique<Tables>();
};

TEST_F(SettingsFileTest, WritesTheGoldenFile) {
  std::string golden = testing_support::ReadBytes(platform::FromUtf8(QUENLO_TEST_DATA "/ui/settings_golden.nvs"));
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(Bytes(), golden);
  std::vector<std::string> lines = SplitLines(Bytes());
  ASSERT_EQ(lines.size(), 338u);
  EXPECT_EQ(lines[0], platform::ToAnsi(L"mch D:\\機械\\vmc 5axis.mch") + "\r\n");
  EXPECT_EQ(lines[4], "wrk \r\n");
  EXPECT_EQ(lines[5], "xyz 0 0 0 0 0 0 0 0 0 0 \r\n");
  EXPECT_EQ(lines[10], "xyz 5 1234.57 1235.57 1236.57 1237.57 1238.57 1239.57 1240.57 1241.57 1242.57 \r\n");
  EXPECT_EQ(lines[320], "xyz 315 -7 -6 -5 -4 -3 -2 -1 0 1 \r\n");
  EXPECT_EQ(lines[325], "ref 4 0.001 1.001 2.001 3.001 4.001 5.001 6.001 7.001 8.001 \r\n");
  EXPECT_EQ(lines[326], "part_x 1234.57 \r\n");
  EXPECT_EQ(lines[327], "part_y -1e-07 \r\n");
  EXPECT_EQ(lines[335], "ref_from_m 1 \r\n");
  EXPECT_EQ(lines[337], "wcs_num 307 \r\n");
}

TEST_F(SettingsFileTest, RoundTripRoundsTableValuesToSingleAndScalarsToSixDigits) {
  loaded.nc_file = L"kept";
  Load(Bytes());
  EXPECT_EQ(loaded.mch, record.mch);
  EXPECT_EQ(loaded.exe, record.exe);
  EXPECT_EQ(loaded.prj, record.prj);
  EXPECT_EQ(loaded.tol, record.tol);
  EXPECT_EQ(loaded.wrk, L"");
  EXPECT_EQ(loaded.nc_file, L"kept");
  EXPECT_EQ(loaded.exe_alt, L"");
  EXPECT_EQ(tables->wcs[5][0], static_cast<double>(1234.57f));
  EXPECT_EQ(tables->wcs[315][8], 1.0);
  EXPECT_EQ(tables->ref[4][0], static_cast<double>(0.001f));
  EXPECT_EQ(loaded.part_x, 1234.57);
  EXPECT_EQ(loaded.part_y, -1e-07);
  EXPECT_EQ(loaded.c_axis_y, 6.0);
  EXPECT_EQ(loaded.ref_from_m, 1);
  EXPECT_EQ(loaded.ref_num, 3);
  EXPECT_EQ(loaded.wcs_num, 307);
  // Saving what was loaded gives the same bytes again.
  loaded.part_x = record.part_x;
  EXPECT_EQ(FormatSettingsFile(loaded, tables->wcs, tables->ref), Bytes());
}

TEST_F(SettingsFileTest, ReversedLinesAndLfOnlyLoadTheSame) {
  Load(Bytes());
  LinkSettings in_order = loaded;
  auto in_order_tables = std::make_unique<Tables>(*tables);

  std::vector<std::string> lines = SplitLines(Bytes());
  std::reverse(lines.begin(), lines.end());
  std::string reversed = Join(lines);
  for (std::string lf = reversed;;) {
    loaded = LinkSettings{};
    *tables = Tables{};
    Load(lf);
    EXPECT_EQ(loaded.mch, in_order.mch);
    EXPECT_EQ(loaded.part_z, in_order.part_z);
    EXPECT_EQ(loaded.wcs_num, in_order.wcs_num);
    for (int i = 0; i < kWcsRows; ++i) EXPECT_EQ(tables->wcs[i], in_order_tables->wcs[i]) << i;
    for (int j = 0; j < kRefRows; ++j) EXPECT_EQ(tables->ref[j], in_order_tables->ref[j]) << j;
    if (lf.find('\r') == std::string::npos) break;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
  }
}

TEST_F(SettingsFileTest, ALineBreakInAPathIsWrittenAsABlank) {
  record.mch = L"D:\\m\r\nwcs_num 7 \nx";
  std::vector<std::string> lines = SplitLines(Bytes());
  ASSERT_EQ(lines.size(), 338u);
  EXPECT_EQ(lines[0], "mch D:\\m  wcs_num 7  x\r\n");
}

TEST(FindSettingsValue, SearchesForwardThenFromTheTop) {
  platform::SetAnsiCodePage(932);
  std::string bytes = "xyz 10 7\r\nxyz 1 1\r\nexe C:\\Program Files\\T T\\Tarvik.exe  \r\nmch \r\nlast 9";
  // The same answers whether the lines out of place are searched for or
  // found through the index (made after a few searches).
  for (int misses_first : {0, 8}) {
    SettingsFileText file(bytes);
    for (int i = 0; i < misses_first; ++i) EXPECT_EQ(FindSettingsValue(file, "none ", L"-"), L"-");
    file.Rewind();
    EXPECT_EQ(FindSettingsValue(file, "xyz 1 ", L"-"), L"1");  // not the line of row 10
    EXPECT_EQ(FindSettingsValue(file, "exe ", L"-"), L"C:\\Program Files\\T T\\Tarvik.exe  ");
    EXPECT_EQ(FindSettingsValue(file, "xyz 10 ", L"-"), L"7");  // behind the position: found from the top
    EXPECT_EQ(FindSettingsValue(file, "mch ", L"-"), L"");      // the key alone: an empty value
    EXPECT_EQ(FindSettingsValue(file, "last ", L"-"), L"9");    // a last line without a line end
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(FindSettingsValue(file, "Last ", L"-"), L"-");    // case matters
    EXPECT_EQ(FindSettingsValue(file, "mch", L"-"), L" ");  // the key as given, blank or not
    EXPECT_EQ(FindSettingsValue(file, "wrk ", L"dflt"), L"dflt");
  }
}

TEST(FindSettingsValue, ReadsLinesWholeHoweverLong) {
  platform::SetAnsiCodePage(932);
  // A value of 10000 characters whose tail would look like a line of its own
  // if the line were read in pieces of 8190 bytes.
  std::string path = std::string(8186, 'a') + "part_x 99 " + std::string(1800, 'b');
  std::string bytes = "prj " + path + "\r\n";
  auto tables = std::make_unique<Tables>();
  LinkSettings s;
  ParseSettingsFile(bytes, s, tables->wcs, tables->ref);
  EXPECT_EQ(s.prj, platform::FromAnsi(path));
  EXPECT_EQ(s.part_x, 0.0);
}

TEST_F(SettingsFileTest, MissingRowsAndShortRowsReadAsZero) {
  std::vector<std::string> lines = SplitLines(Bytes());
  auto line_of = [&lines](const std::string& key) {
    return std::find_if(lines.begin(), lines.end(), [&key](const std::string& l) { return l.rfind(key, 0) == 0; });
  };
  *line_of("xyz 5 ") = "xyz 5 1 2 3\r\n";  // fewer than nine numbers
  lines.erase(line_of("xyz 6 "));  // follows row 5
  lines.erase(line_of("xyz 0 "));  // the first row
  lines.erase(line_of("ref 0 "));  // follows the last work-offset row
  lines.erase(line_of("part_z "));
  lines.erase(line_of("prj "));
  ASSERT_EQ(lines.size(), 338u - 5);
  for (auto& row : tables->wcs) row = Row(99);
  loaded.prj = L"kept";
  Load(Join(lines));
  EXPECT_EQ(tables->wcs[0], AxisRow{});
  EXPECT_EQ(tables->wcs[5], (AxisRow{1, 2, 3, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables->wcs[6], AxisRow{});
  EXPECT_EQ(tables->wcs[315], Row(-7));
  EXPECT_EQ(tables->ref[0], AxisRow{});
  EXPECT_EQ(loaded.part_z, 0.0);
  EXPECT_EQ(loaded.part_y, -1e-07);
  EXPECT_EQ(loaded.prj, L"kept");
  EXPECT_EQ(loaded.tol, record.tol);
}

TEST_F(SettingsFileTest, FilesWithoutKnownKeysChangeNothing) {
  const std::string junk_with_nul("\x00\xff\xfe\x81\n\x1a\r\r\nmch\txx\n\x82\xa0xyz0 5\n", 23);
  const std::string utf16_without_mark = EncodeUtf16(L"mch m\r\nxyz 0 1\r\n");
  const std::string inputs[] = {"", "hello\r\nworld\r\n", junk_with_nul, std::string(5000, '\n'), utf16_without_mark};
  for (const std::string& bytes : inputs) {
    loaded = LinkSettings{};
    loaded.mch = L"m";
    loaded.part_x = 5;
    loaded.wcs_num = 7;
    for (auto& row : tables->wcs) row = Row(3);
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(loaded.mch, L"m");
    EXPECT_EQ(loaded.part_x, 5.0);
    EXPECT_EQ(loaded.wcs_num, 7);
    EXPECT_EQ(tables->wcs[315], Row(3));
  }
}

// A settings file that an editor saved as UTF-16 reads as the same file in
// the code page; a path the code page cannot carry is not written, the
// replaced file's line standing in for it.
TEST_F(SettingsFileTest, Utf16FilesAndPathsTheCodePageCannotCarry) {
  std::string ansi = Bytes();
  ASSERT_TRUE(Load("\xFF\xFE" + EncodeUtf16(platform::FromAnsi(ansi))));
  EXPECT_EQ(FormatSettingsFile(loaded, tables->wcs, tables->ref), ansi);

  record.exe = L"C:\\Zo\u00eb\\Tarvik.exe";
  record.wrk = L"C:\\caf\u00e9\\w.wrk";
  std::string saved_bytes = FormatSettingsFile(record, saved->wcs, saved->ref, "exe C:\\old.exe\r\n");
  EXPECT_NE(saved_bytes.find("\r\nexe C:\\old.exe\r\nprj "), std::string::npos);
  EXPECT_EQ(saved_bytes.find("wrk "), std::string::npos);  // nothing to keep: no line, a load keeps the panel's
  EXPECT_EQ(saved_bytes.find("caf"), std::string::npos);
}

TEST(ParseSettingsFile, NumbersAreReadAsLeadingNumbers) {
  platform::SetAnsiCodePage(932);
  std::string bytes =
      "xyz 0 1e-05 inf nan -nan 1e400 1.5mm 7 8 9\r\n"
      "xyz 1 2 3abc 4\r\n"
      "xyz 2  \t-4.5e+2\t+6 .5 \r\n"
      "ref 0 x 1 2\r\n"
      "part_x 12.5mm\r\n"
      "part_y   -3e-05 \r\n"
      "part_z inf\r\n"
      "a_axis_y nan\r\n"
      "a_axis_z 1e400\r\n"
      "b_axis_x abc\r\n"
      "ref_from_m 7\r\n"
      "ref_num 2 (second)\r\n"
      "wcs_num 12x\r\n";
  auto tables = std::make_unique<Tables>();
  LinkSettings s;
  ParseSettingsFile(bytes, s, tables->wcs, tables->ref);
  EXPECT_EQ(tables->wcs[0], (AxisRow{static_cast<double>(1e-05f), 0, 0, 0, 0, 1.5, 0, 0, 0}));
  EXPECT_EQ(tables->wcs[1], (AxisRow{2, 3, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables->wcs[2], (AxisRow{-450, 6, 0.5, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables->ref[0], AxisRow{});
  EXPECT_EQ(s.part_x, 12.5);
  EXPECT_EQ(s.part_y, -3e-05);
  EXPECT_EQ(s.part_z, 0.0);
  EXPECT_EQ(s.a_axis_y, 0.0);
  EXPECT_EQ(s.a_axis_z, 0.0);
  EXPECT_EQ(s.b_axis_x, 0.0);
  EXPECT_EQ(s.ref_from_m, 1);
  EXPECT_EQ(s.ref_num, 2);
  EXPECT_EQ(s.wcs_num, 12);
}

TEST(ParseSettingsFile, RowSelectionsOutsideTheListsBecomeZero) {
  struct Case {
    const char* text;
    int wcs, ref;
  } cases[] = {
      {"wcs_num 314 \r\nref_num 4 \r\n", 314, 4},       {"wcs_num 315 \r\nref_num 5 \r\n", 0, 0},
      {"wcs_num -1 \r\nref_num -1 \r\n", 0, 0},         {"wcs_num 99999999999 \r\nref_num 1 \r\n", 0, 1},
      {"wcs_num -2147483649 \r\nref_num 3 \r\n", 0, 3},
  };
  auto tables = std::make_unique<Tables>();
  for (const Case& c : cases) {
    LinkSettings s;
    ParseSettingsFile(c.text, s, tables->wcs, tables->ref);
    EXPECT_EQ(s.wcs_num, c.wcs) << c.text;
    EXPECT_EQ(s.ref_num, c.ref) << c.text;
  }
}

TEST(ParseSettingsFile, JapanesePathsComeBackWhole) {
  platform::SetAnsiCodePage(932);
  LinkSettings s;
  s.wrk = L"D:\\素材 ファイル\\ワーク①.wrk";
  auto tables = std::make_unique<Tables>();
  std::string bytes = FormatSettingsFile(s, tables->wcs, tables->ref);
  EXPECT_NE(bytes.find(platform::ToAnsi(s.wrk)), std::string::npos);
  LinkSettings back;
  ParseSettingsFile(bytes, back, tables->wcs, tables->ref);
  EXPECT_EQ(back.wrk, s.wrk);
}

}  // namespace
}  // namespace quenlo
