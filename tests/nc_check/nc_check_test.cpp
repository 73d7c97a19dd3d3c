// The check as a whole: the NC file against the tool file as the job's
// operation walk would write it and against the work-offset table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nc_check/nc_check.h"
#include "nc_check/nc_findings.h"
#include "platform/files.h"
#include "support/test_host.h"
#include "tools/tool_job.h"

namespace quenlo::nc_check {
namespace {

using namespace tool_job;
using Findings = std::vector<std::wstring>;

class NcCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (AxisRow& row : table_) row = AxisRow{};
  }
  // A milling job: tool 3 (D3, H3) known to the tool system, tool 5 of an
  // operation whose tool the tool system does not know, and `more`.
  void InstallMillingJob(const std::vector<json>& more = {}) {
    Job job;
    job.assemblies.push_back(Assembly(1001, 75, json::array({Line(0, 0, 5, 0)})));
    job.operations.push_back(Op(1, 3, 1001, {{"diameter", 10}, {"d_number", 3}, {"h_number", 3}}));
    job.operations.push_back(Op(1, 5, 9999, {{"diameter", 10}, {"d_number", 5}, {"h_number", 5}}));
    for (const json& op : more) job.operations.push_back(op);
    job.lathe_tools.push_back(LatheTool(2001, 50, json::array({Line(0, 0, 1, 1)})));
    ASSERT_TRUE(testing_support::InstallJob(job.Text(), dir_.path()));
  }
  Findings Check(const std::string& program) {
    testing_support::WriteBytes(dir_ / L"prog.nc", program);
    return CheckNcProgram(dir_ / L"prog.nc", table_);
  }

  testing_support::TempDir dir_;
  AxisRow table_[kWcsRows];
};

TEST_F(NcCheckTest, ToolsAndOffsetsComeFromTheToolFileWalk) {
  InstallMillingJob();
  EXPECT_EQ(Check("T3 M06\nG43 H3 Z50.\nG41 D3 X1.\n"), Findings{});
  EXPECT_EQ(Check("T3 M06\nT5 M06\nG43 H5 Z50.\nG42 D5\nT12 M06\nT5\n"),
            (Findings{L"T5（2行目）: 工具ファイルにありません", L"H5（3行目）: 工具ファイルに工具長補正がありません",
                      L"D5（4行目）: 工具ファイルに工具径補正がありません", L"T12（5行目）: 工具ファイルにありません"}));
  // In a comment, a macro call or as a variable, T12 is not checked.
  EXPECT_EQ(Check("(T12)\nG65 P9000 T12\nT#1\n"), Findings{});
}

TEST_F(NcCheckTest, TurningJobsDoNotCheckToolWords) {
  InstallMillingJob({Op(60, 7, 2001)});
  EXPECT_EQ(Check("T0707\nT12\nG43 H5\n"), Findings{L"H5（3行目）: 工具ファイルに工具長補正がありません"});
}

TEST_F(NcCheckTest, WorkOffsetsWhoseRowIsAllZero) {
  InstallMillingJob();
  const std::string program = "G54\nG54.1P12\nG54.1 P12\nG54.2 P8\nG55\n";
  EXPECT_EQ(Check(program),
            (Findings{L"G54（1行目）: ワーク座標系の値がすべて0です", L"G54.1P12（2行目）: ワーク座標系の値がすべて0です",
                      L"G54.2P8（4行目）: ワーク座標系の値がすべて0です",
                      L"G55（5行目）: ワーク座標系の値がすべて0です"}));
  table_[1][0] = 1;     // G54: X
  table_[18][8] = -2;   // G54.1 P12: W alone is enough
  table_[314][3] = 90;  // G54.2 P8: A
  table_[2] = AxisRow{};
  table_[0][0] = 5;     // EXOFS is no work offset of G55
  EXPECT_EQ(Check(program), Findings{L"G55（5行目）: ワーク座標系の値がすべて0です"});
}

TEST_F(NcCheckTest, AnNcFileThatCannotBeReadIsTheOneFinding) {
  InstallMillingJob();
  const std::wstring missing = dir_ / L"無い.nc";
  EXPECT_EQ(CheckNcProgram(missing, table_), Findings{L"NCファイル「" + missing + L"」を読めません"});
  platform::MakeDirectory(dir_ / L"folder.nc");
  EXPECT_EQ(CheckNcProgram(dir_ / L"folder.nc", table_),
            Findings{L"NCファイル「" + (dir_ / L"folder.nc") + L"」を読めません"});
}

// A missing tool, a missing H and a zero G55: three findings in the ANSI
// code page; as UTF-16 (with either byte order mark, or none), as binary
// junk or with no block at all, the one finding that the file cannot be read.
TEST_F(NcCheckTest, TextItCannotReadIsTheOneFinding) {
  InstallMillingJob();
  table_[1][0] = 1;
  const std::string ansi = "%\r\nO1000(\x95\x94\x95\x69)\r\nG54 T3 M06\r\nT12 M06\r\nG43 H7 Z50.\r\nG55 X0\r\nM30\r\n%\r\n";
  EXPECT_EQ(Check(ansi), (Findings{L"T12（4行目）: 工具ファイルにありません", L"H7（5行目）: 工具ファイルに工具長補正がありません",
                                   L"G55（6行目）: ワーク座標系の値がすべて0です"}));
  const std::wstring wide = L"%\r\nO1000(部品)\r\nG54 T3 M06\r\nT12 M06\r\nG43 H7 Z50.\r\nG55 X0\r\nM30\r\n%\r\n";
  auto utf16 = [&](bool big_endian, bool mark) {
    std::string bytes = mark ? (big_endian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (wchar_t c : wide) {
      const char high = static_cast<char>((c >> 8) & 0xff), low = static_cast<char>(c & 0xff);
      bytes += big_endian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
  };
  std::string junk;
  for (int i = 0; i < 65536; ++i) junk += static_cast<char>((i * 7919 + i / 256) & 0xff);
  junk[100] = '\n';
  const Findings cannot_read{L"NCファイル「" + (dir_ / L"prog.nc") + L"」を読めません"};
  for (const std::string& text : {utf16(false, true), utf16(true, true), utf16(false, false), utf16(true, false), junk,
                                  std::string(), std::string("%\r\n(EMPTY)\r\n%\r\n")})
    EXPECT_EQ(Check(text), cannot_read);
}

TEST_F(NcCheckTest, ALargeFileWithOneMissingToolAtItsEnd) {
  InstallMillingJob();
  table_[1][2] = -50;
  std::string program = "%\r\nO0001(大きな プログラム)\r\nG90 G54 G00 X0 Y0\r\nT3 M06\r\nG43 H3 Z50.\r\n";
  int lines = 5;
  while (program.size() < 10 * 1000 * 1000) {
    program += "N" + std::to_string(lines + 1) + " G01 X12.345 Y-67.89 Z-1.5 F1200.\r\n";
    ++lines;
  }
  program += "T12 M06\r\nM30\r\n%\r\n";
  EXPECT_EQ(Check(program), Findings{L"T12（" + std::to_wstring(lines + 1) + L"行目）: 工具ファイルにありません"});
}

TEST(LaunchQuestion, ListsAtMostTenFindingsThenHowManyMore) {
  Findings findings;
  for (int i = 1; i <= 10; ++i) findings.push_back(L"T" + std::to_wstring(i));
  const std::wstring head = L"NCプログラムの確認で次の点が見つかりました。\n";
  const std::wstring ten = L"T1\nT2\nT3\nT4\nT5\nT6\nT7\nT8\nT9\nT10\n";
  const std::wstring ask = L"\nこのままシミュレーターを起動しますか？";
  EXPECT_EQ(LaunchQuestion(findings), head + ten + ask);
  findings.push_back(L"T11");
  findings.push_back(L"T12");
  EXPECT_EQ(LaunchQuestion(findings), head + ten + L"ほか 2 件\n" + ask);
  EXPECT_EQ(LaunchQuestion({L"T1"}), head + L"T1\n" + ask);
}

}  // namespace
}  // namespace quenlo::nc_check
