// Profile segments as record pieces: the general rules and the milling
// refinements for type codes 13 and 24.
#include <gtest/gtest.h>

#include "tool_job.h"

namespace quenlo {
namespace {

using namespace tool_job;

// The profile numbers of the only record of a milling tool of the given
// legacy type code, S and L.
std::string MillProfile(json profile, int type_code = 1, double size_s = 0, double length = 100) {
  Job job;
  job.assemblies.push_back(Assembly(1, length, std::move(profile), {{"type_code", type_code}, {"size_s", size_s}}));
  job.operations.push_back(Op(1, 1, 1));
  std::string record = Lines(ToolFileOf(job)).at(0);
  const std::string head = "T1 USERDEFTOOL " + std::to_string(static_cast<int>(length)) + ".000000 0";
  EXPECT_EQ(record.substr(0, head.size()), head);
  return record.substr(head.size(), record.find(" /") - head.size());
}

TEST(ProfileEncoding, GeneralRules) {
  EXPECT_EQ(MillProfile(json::array({Point(1.5, -2), Line(0, 0, 5, 0), Arc(5, 10, 5, 1), Arc(6, 11, 0.25, 0),
                                     Arc(7, 12, 2, -3)})),
            " 1.5 -2 5 0 5 10 R5 6 11 R-0.25 7 12 R-2");
  EXPECT_EQ(MillProfile(json::array({Line(0, 0, 0.5, 1e-7), Line(0, 0, 1234567, 100000), Line(0, 0, -0.0001, 0)})),
            " 0.5 1e-07 1.23457e+06 100000 -0.0001 0");
}

TEST(ProfileEncoding, UnknownSegmentKindsAppendNothing) {
  EXPECT_EQ(MillProfile(json::array({Segment("X"), Line(0, 0, 1, 1), Segment("a"), Segment("p"), Point(3, 3)})),
            " 1 1 3 3");
}

TEST(ProfileEncoding, Type13FlattensItsFirstLineOnly) {
  EXPECT_EQ(MillProfile(json::array({Line(0, 2, 6, 3), Line(6, 3, 6, 40)}), 13), " 0 0 6 0 6 40");
  // A first segment that is not a line is written as usual, and so are later lines.
  EXPECT_EQ(MillProfile(json::array({Point(0, 2), Line(0, 2, 6, 3)}), 13), " 0 2 6 3");
  EXPECT_EQ(MillProfile(json::array({Segment("X"), Line(0, 2, 6, 3)}), 13), " 6 3");
  // Other codes never flatten.
  EXPECT_EQ(MillProfile(json::array({Line(0, 2, 6, 3)}), 14), " 6 3");
}

json LongTool() {
  return json::array({Line(0, 0, 3, 0), Line(3, 0, 3, 17.5), Line(3, 17.5, 3, 17.6), Line(3, 17.6, 3, 35),
                      Line(3, 35, 3, 50), Arc(3, 51, 1, 1), Point(3, 52), Line(3, 52, 3, 65),
                      Line(3, 65, 3, 82.4), Line(3, 82.4, 3, 82.5), Line(3, 82.5, 3, 100)});
}

TEST(ProfileEncoding, Type24LongToolLeavesOutTheStraightMiddle) {
  // 10 x S > L: every vertex.
  EXPECT_EQ(MillProfile(LongTool(), 24, 12),
            " 3 0 3 17.5 3 17.6 3 35 3 50 3 51 R1 3 52 3 65 3 82.4 3 82.5 3 100");
  // S = 5: line ends strictly between 17.5 and 82.5 go; arcs and points stay.
  EXPECT_EQ(MillProfile(LongTool(), 24, 5), " 3 0 3 17.5 3 51 R1 3 52 3 82.5 3 100");
  // S = 10 (10 x S = L): the middle between 35 and 65 goes too.
  EXPECT_EQ(MillProfile(LongTool(), 24, 10), " 3 0 3 17.5 3 17.6 3 35 3 51 R1 3 52 3 65 3 82.4 3 82.5 3 100");
  // The rule belongs to code 24 only.
  EXPECT_EQ(MillProfile(LongTool(), 23, 5),
            " 3 0 3 17.5 3 17.6 3 35 3 50 3 51 R1 3 52 3 65 3 82.4 3 82.5 3 100");
}

TEST(ProfileEncoding, LongProfilesAreWrittenWhole) {
  json profile = json::array();
  for (int i = 0; i < 3000; ++i) profile.push_back(Line(0, 0, i, i + 0.5));
  Job job;
  job.assemblies.push_back(Assembly(1, 100, profile));
  job.operations.push_back(Op(1, 1, 1, {{"comment", "end"}}));
  std::string record = Lines(ToolFileOf(job)).at(0);
  EXPECT_GT(record.size(), 30000u);
  const std::string tail = " 2998 2998.5 2999 2999.5 /0 #end";
  EXPECT_EQ(record.substr(record.size() - tail.size()), tail);
}

TEST(ProfileEncoding, TurningProfilesIgnoreTheMillingRules) {
  Job job;
  job.assemblies.push_back(Assembly(1, 100, json::array({Line(0, 2, 6, 3)}), {{"type_code", 13}}));
  job.lathe_tools.push_back(LatheTool(1, 100, json::array({Line(0, 2, 6, 3), Line(3, 0, 3, 50)})));
  job.operations.push_back(Op(60, 1, 1));
  EXPECT_EQ(Lines(ToolFileOf(job)).at(0), "T1 USERDEFBITE 100.000000 0 6 3 3 50 /-1 #");
}

}  // namespace
}  // namespace quenlo
