// The D and H sections: distinct numbers of milling operations whose tool the
// tool system knows, in operation order.
#include <gtest/gtest.h>

#include "tool_job.h"

namespace quenlo {
namespace {

using namespace tool_job;

std::string Offsets(const Job& job) {
  std::string out;
  for (const std::string& line : Lines(ToolFileOf(job)))
    if (line[0] == 'D' || line[0] == 'H') out += line + "\n";
  return out;
}

json OneLine() { return json::array({Line(0, 0, 1, 2)}); }

TEST(OffsetSections, OneLinePerNumberFromTheFirstOperationThatUsesIt) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"projection", 60}, {"total_holder_length", 40}}));
  job.assemblies.push_back(Assembly(2, 10, OneLine(), {{"projection", 12.25}, {"total_holder_length", 0.5}}));
  job.operations.push_back(Op(1, 1, 1, {{"diameter", 10}, {"d_number", 21}, {"h_number", 1}}));
  job.operations.push_back(Op(1, 2, 2, {{"diameter", 3}, {"d_number", 21}, {"h_number", 2}}));
  job.operations.push_back(Op(1, 2, 2, {{"diameter", 3}, {"d_number", -2}, {"h_number", 1}}));
  EXPECT_EQ(Offsets(job), "D21 5.000000\nD-2 1.500000\nH1 100.000000\nH2 12.750000\n");
}

TEST(OffsetSections, UnknownToolsAndOtherOperationsLeaveTheNumberFree) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"projection", 5}}));
  job.lathe_tools.push_back(LatheTool(7, 10, OneLine()));
  job.operations.push_back(Op(1, 1, 99, {{"diameter", 1}, {"d_number", 3}, {"h_number", 3}}));
  job.operations.push_back(Op(60, 2, 7, {{"diameter", 2}, {"d_number", 3}, {"h_number", 3}}));
  job.operations.push_back(Op(58, 3, 1, {{"diameter", 3}, {"d_number", 3}, {"h_number", 3}}));
  job.operations.push_back(Op(1, 4, 1, {{"diameter", 4}, {"d_number", 3}, {"h_number", 3}}));
  EXPECT_EQ(Offsets(job), "D3 2.000000\nH3 5.000000\n");
}

// The walk leaves the host's operation record on code 500, not on the last
// operation's code, so a job that ends with a turning operation keeps its
// closing sections.
TEST(OffsetSections, FollowAJobThatEndsWithATurningOperation) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"projection", 5}}));
  job.lathe_tools.push_back(LatheTool(7, 10, OneLine()));
  job.holders.push_back(Holder(1, "デフォルトホルダ", true, 63, 40));
  job.operations.push_back(Op(1, 1, 1, {{"diameter", 4}, {"d_number", 1}, {"h_number", 1}}, 1));
  job.operations.push_back(Op(60, 2, 7));
  EXPECT_EQ(ToolFileOf(job),
            "T1 USERDEFTOOL 10.000000 0 1 2 /0 #\n"
            "T2 USERDEFBITE 10.000000 1 1 2 /0 #\n"
            "D1 2.000000\nH1 5.000000\n/0 STD_HOLDER 63.000000 40.000000\n");
}

// What decides is the record as the walk's last, unsuccessful request left
// it: a host that leaves a turning code there gets no D, H or holder section,
// whatever the operations were; any other code keeps them.
TEST(OffsetSections, LeftOutWhenTheWalkEndsOnATurningRecord) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"projection", 5}}));
  job.holders.push_back(Holder(1, "デフォルトホルダ", true, 63, 40));
  job.operations.push_back(Op(1, 1, 1, {{"diameter", 4}, {"d_number", 1}, {"h_number", 1}}, 1));
  const std::string records = "T1 USERDEFTOOL 10.000000 0 1 2 /0 #\n";
  const std::string closing = "D1 2.000000\nH1 5.000000\n/0 STD_HOLDER 63.000000 40.000000\n";
  for (int code : {60, 73, 201, 239}) {
    job.end_of_list_type = code;
    EXPECT_EQ(ToolFileOf(job), records) << code;
  }
  for (int code : {1, 59, 74, 200, 240, 500}) {
    job.end_of_list_type = code;
    EXPECT_EQ(ToolFileOf(job), records + closing) << code;
  }
}

TEST(OffsetSections, ManyNumbersAreWrittenWhole) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"projection", 1e300}, {"total_holder_length", 1e300}}));
  for (int n = 0; n < 1000; ++n) job.operations.push_back(Op(1, 1, 1, {{"d_number", n}, {"h_number", n}}));
  std::string text = Offsets(job);
  // 1000 H lines of some 315 bytes: far beyond any fixed buffer, and nothing
  // is cut.
  EXPECT_GT(text.size(), 1000u * 300);
  std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 2000u);
  EXPECT_EQ(lines[999], "D999 0.000000");
  EXPECT_EQ(lines[1999].substr(0, 6), "H999 2");
  EXPECT_EQ(lines[1999].substr(lines[1999].size() - 7), ".000000");
}

}  // namespace
}  // namespace quenlo
