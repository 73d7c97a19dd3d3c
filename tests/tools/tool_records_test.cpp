// Pass 1 of the tool file: which operations give a record, in which order,
// with which cycle number and holder index.
#include <gtest/gtest.h>

#include <climits>

#include "platform/ansi.h"
#include "tool_job.h"

namespace quenlo {
namespace {

using namespace tool_job;

json OneLine() { return json::array({Line(0, 0, 1, 2)}); }

// The cycle number (fourth field) of each record line.
std::vector<std::string> Cycles(const std::string& file) {
  std::vector<std::string> cycles;
  for (const std::string& line : Lines(file)) {
    if (line.empty() || line[0] != 'T') continue;
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) pos = line.find(' ', pos) + 1;
    cycles.push_back(line.substr(pos, line.find(' ', pos) - pos));
  }
  return cycles;
}

TEST(ToolRecords, CycleNumbersRunZeroToElevenThenWrap) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  for (int n = 1; n <= 13; ++n) job.operations.push_back(Op(1, n, 1));
  std::vector<std::string> expected;
  for (int n = 0; n < 13; ++n) expected.push_back(std::to_string(n % 12));
  EXPECT_EQ(Cycles(ToolFileOf(job)), expected);
}

TEST(ToolRecords, FirstOperationOfANumberDecidesAndRepeatsAddNothing) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  job.assemblies.push_back(Assembly(2, 20, json::array({Line(0, 0, 3, 4)})));
  job.operations.push_back(Op(1, 5, 1, {{"comment", "first"}}));
  job.operations.push_back(Op(1, 5, 2, {{"comment", "second"}}));
  job.operations.push_back(Op(58, 5, 2));  // neither class, number already written
  job.operations.push_back(Op(1, 6, 2, {{"comment", "next"}}));
  std::vector<std::string> lines = Lines(ToolFileOf(job));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "T5 USERDEFTOOL 10.000000 0 1 2 /0 #first");
  EXPECT_EQ(lines[1], "T6 USERDEFTOOL 20.000000 1 3 4 /0 #next");
}

TEST(ToolRecords, OperationsOfNeitherClassAdvanceTheCycleEveryTime) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  job.operations.push_back(Op(1, 1, 1));
  for (int type : {58, 59, 74, 99, 240, 300, 401, 415, 417, 438, 462, 469, 471, -1})
    job.operations.push_back(Op(type, 2, 1));
  job.operations.push_back(Op(470, 3, 1));
  EXPECT_EQ(Cycles(ToolFileOf(job)), (std::vector<std::string>{"0", "3"}));
}

TEST(ToolRecords, TurningRecordsUseTheInsertProfileAndTheLastMillingHolder) {
  Job job;
  job.lathe_tools.push_back(LatheTool(20, 33.5, json::array({Point(0, 0), Line(0, 0, 4, 0), Arc(4, -1, 1, 0)})));
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  job.holders.push_back(Holder(4, "A", true, 30, 40));
  job.holders.push_back(Holder(5, "B", true, 30, 40));
  job.operations.push_back(Op(60, 7, 20, {{"comment", "before"}}));
  job.operations.push_back(Op(1, 1, 1, {}, 4));
  job.operations.push_back(Op(1, 2, 1, {}, 5));
  job.operations.push_back(Op(239, 8, 20, {{"comment", "after"}}));
  job.operations.push_back(Op(1, 7, 1));  // a milling operation on the turning tool's number
  std::vector<std::string> lines = Lines(ToolFileOf(job));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "T7 USERDEFBITE 33.500000 0 0 0 4 0 4 -1 R-1 /-1 #before");
  EXPECT_EQ(lines[3], "T8 USERDEFBITE 33.500000 3 0 0 4 0 4 -1 R-1 /1 #after");
  EXPECT_EQ(lines[4].rfind("D", 0), 0u);  // no second record for T7
}

TEST(ToolRecords, OnlyTurningOperationsGiveOnlyBiteRecords) {
  Job job;
  job.lathe_tools.push_back(LatheTool(20, 5, json::array({Line(0, 0, 1, 1)})));
  for (int n = 0; n < 13; ++n) job.operations.push_back(Op(201 + n, n, 20, {{"d_number", n}, {"h_number", n}}));
  std::string file = ToolFileOf(job);
  std::vector<std::string> lines = Lines(file);
  ASSERT_EQ(lines.size(), 13u);
  for (const std::string& line : lines) EXPECT_NE(line.find(" USERDEFBITE "), std::string::npos) << line;
  EXPECT_EQ(Cycles(file).back(), "0");
}

TEST(ToolRecords, TurningToolUnknownToTheManagerLeavesItsNumberFree) {
  Job job;
  job.lathe_tools.push_back(LatheTool(20, 5, json::array({Line(0, 0, 1, 1)}), {{"known", false}}));
  job.lathe_tools.push_back(LatheTool(21, 6, json::array({Line(0, 0, 2, 2)})));
  job.operations.push_back(Op(60, 3, 20));
  job.operations.push_back(Op(60, 3, 21));
  EXPECT_EQ(ToolFileOf(job), "T3 USERDEFBITE 6.000000 0 2 2 /-1 #\n");
}

// A tool whose shape the host does not give writes no line; nothing is
// written twice, and later tools keep their own texts and cycle numbers.
TEST(ToolRecords, ToolsWithoutShapeWriteNoLineAndRepeatNothing) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  job.assemblies.push_back(Assembly(2, 20, nullptr));  // no profile (status not 0)
  job.assemblies.push_back(Assembly(3, 30, json::array()));
  job.lathe_tools.push_back(LatheTool(20, 5, nullptr));
  job.lathe_tools.push_back(LatheTool(21, 5, json::array({Line(0, 0, 1, 1)}), {{"in_tool_system", false}}));
  job.operations.push_back(Op(1, 1, 1, {{"comment", "a"}}));
  job.operations.push_back(Op(1, 2, 999));  // unknown to the tool system: number stays free
  job.operations.push_back(Op(1, 3, 2));
  job.operations.push_back(Op(60, 4, 20));
  job.operations.push_back(Op(60, 5, 21));
  job.operations.push_back(Op(60, 6, 998));  // unknown to the tool manager: no cycle step
  job.operations.push_back(Op(1, 2, 3, {{"comment", "empty profile"}}));
  job.operations.push_back(Op(1, 3, 1));  // number 3 is taken by the shapeless tool
  EXPECT_EQ(ToolFileOf(job),
            "T1 USERDEFTOOL 10.000000 0 1 2 /0 #a\n"
            "T2 USERDEFTOOL 30.000000 5 /0 #empty profile\n"
            "D0 0.000000\n"
            "H0 0.000000\n");
}

TEST(ToolRecords, NegativeAndExtremeToolNumbers) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  job.operations.push_back(Op(1, -7, 1));
  job.operations.push_back(Op(1, INT_MAX, 1));
  job.operations.push_back(Op(1, INT_MIN, 1));
  job.operations.push_back(Op(1, 0, 1));
  std::vector<std::string> lines = Lines(ToolFileOf(job));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "T-7 USERDEFTOOL 10.000000 0 1 2 /0 #");
  EXPECT_EQ(lines[1], "T2147483647 USERDEFTOOL 10.000000 1 1 2 /0 #");
  EXPECT_EQ(lines[2], "T-2147483648 USERDEFTOOL 10.000000 2 1 2 /0 #");
  EXPECT_EQ(lines[3], "T0 USERDEFTOOL 10.000000 3 1 2 /0 #");
}

TEST(ToolRecords, TenThousandOperationsOnOneToolGiveOneRecord) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  const json op = Op(1, 4, 1, {{"d_number", 4}, {"h_number", 4}});
  for (int i = 0; i < 10000; ++i) job.operations.push_back(op);
  EXPECT_EQ(ToolFileOf(job), "T4 USERDEFTOOL 10.000000 0 1 2 /0 #\nD4 0.000000\nH4 0.000000\n");
}

TEST(ToolRecords, CommentsStayOnTheirLineInTheCodePage) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine()));
  job.operations.push_back(Op(1, 1, 1, {{"comment", "A\xF0\x9F\x98\x80" "B"}}));  // U+1F600: not in code page 932
  job.operations.push_back(Op(1, 2, 1, {{"comment", "two\r\nlines"}}));
  job.operations.push_back(Op(1, 3, 1, {{"comment", "\xE5\xB7\xA5\xE5\x85\xB7 #/\\"}}));  // 工具
  std::vector<std::string> lines = Lines(ToolFileOf(job));
  ASSERT_GE(lines.size(), 3u);
  const std::string head = "T1 USERDEFTOOL 10.000000 0 1 2 /0 #A";
  EXPECT_EQ(lines[0].substr(0, head.size()), head);
  EXPECT_EQ(lines[0].back(), 'B');
  EXPECT_EQ(lines[0].find('\0'), std::string::npos);
  EXPECT_EQ(lines[1], "T2 USERDEFTOOL 10.000000 1 1 2 /0 #two  lines");
  EXPECT_EQ(lines[2], "T3 USERDEFTOOL 10.000000 2 1 2 /0 #\x8D\x48\x8B\xEF #/\\");
}

}  // namespace
}  // namespace quenlo
