// The holder list gathered from the milling operations, and the holder
// section that closes the tool file.
#include <gtest/gtest.h>

#include "tool_job.h"

namespace quenlo {
namespace {

using namespace tool_job;

json OneLine() { return json::array({Line(0, 0, 1, 2)}); }
json HolderShape() { return json::array({Point(0, 0), Line(0, 0, 20, 0), Line(20, 0, 20, 45)}); }

// The holder index (after " /") of each record, and the holder section.
struct Result {
  std::vector<std::string> indices;
  std::string holders;
};

Result Gather(const Job& job) {
  Result r;
  for (const std::string& line : Lines(ToolFileOf(job))) {
    if (line.rfind("T", 0) == 0) {
      size_t at = line.find(" /");
      r.indices.push_back(line.substr(at + 2, line.find(' ', at + 2) - at - 2));
    } else if (line.rfind("/", 0) == 0) {
      r.holders += line + "\n";
    }
  }
  return r;
}

TEST(Holders, SameNumberWhenToldApartByNumberIsOneEntry) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"holder_dia", 1}, {"holder_length", 2}}));
  job.assemblies.push_back(Assembly(2, 10, OneLine(), {{"holder_dia", 3}, {"holder_length", 4}}));
  job.holders.push_back(Holder(8, "デフォルトホルダ", true, 63, 40));
  job.holders.push_back(Holder(9, "デフォルトホルダ", true, 50, 30));
  job.operations.push_back(Op(1, 1, 1, {}, 8));
  job.operations.push_back(Op(1, 2, 2, {}, 9));
  job.operations.push_back(Op(1, 3, 2, {}, 8));
  Result r = Gather(job);
  EXPECT_EQ(r.indices, (std::vector<std::string>{"0", "1", "0"}));
  EXPECT_EQ(r.holders, "/0 STD_HOLDER 63.000000 40.000000\n/1 STD_HOLDER 50.000000 30.000000\n");
}

TEST(Holders, ToldApartBySizeMatchesTheToolsLegacyHolderSize) {
  Job job;
  json size = {{"holder_dia", 63}, {"holder_length", 40}};
  job.assemblies.push_back(Assembly(1, 10, OneLine(), size));
  job.assemblies.push_back(Assembly(2, 10, OneLine(), size));
  job.assemblies.push_back(Assembly(3, 10, OneLine(), {{"holder_dia", 63}, {"holder_length", 40.0001}}));
  job.holders.push_back(Holder(1, "デフォルトホルダ", false, 63, 40));
  job.holders.push_back(Holder(2, "デフォルトホルダ", false, 50, 30));
  job.operations.push_back(Op(1, 1, 1, {}, 1));
  job.operations.push_back(Op(1, 2, 2, {}, 2));  // same legacy size: the first entry
  job.operations.push_back(Op(1, 3, 3, {}, 2));  // a size that differs slightly: a new entry
  Result r = Gather(job);
  EXPECT_EQ(r.indices, (std::vector<std::string>{"0", "0", "1"}));
  EXPECT_EQ(r.holders, "/0 STD_HOLDER 63.000000 40.000000\n/1 STD_HOLDER 50.000000 30.000000\n");
}

// Whichever way a holder is told apart, it is matched against every entry so
// far, however that entry came in, and the first match wins.
TEST(Holders, EachWayOfMatchingFindsTheFirstEntryOfAnyKind) {
  Job job;
  json size = {{"holder_dia", 63}, {"holder_length", 40}};
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"holder_dia", 1}, {"holder_length", 2}}));
  job.assemblies.push_back(Assembly(2, 10, OneLine(), size));
  job.assemblies.push_back(Assembly(3, 10, OneLine(), size));
  job.holders.push_back(Holder(8, "デフォルトホルダ", true, 63, 40));   // by number
  job.holders.push_back(Holder(9, "デフォルトホルダ", false, 50, 30));  // by size
  job.holders.push_back(Holder(7, "デフォルトホルダ", true, 63, 40));   // by number
  job.operations.push_back(Op(1, 1, 1, {}, 8));  // entry 0: number 8, size 63 x 40
  job.operations.push_back(Op(1, 2, 2, {}, 9));  // by the tool's size 63 x 40: entry 0
  job.operations.push_back(Op(1, 3, 3, {}, 7));  // number 7 is new: entry 1
  job.operations.push_back(Op(1, 1, 1, {}, 7));  // tool number 1 again: no new record
  Result r = Gather(job);
  EXPECT_EQ(r.indices, (std::vector<std::string>{"0", "0", "1"}));
  EXPECT_EQ(r.holders, "/0 STD_HOLDER 63.000000 40.000000\n/1 STD_HOLDER 63.000000 40.000000\n");
}

TEST(Holders, UserHoldersAreWrittenWithTheirProfile) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"holder_profile", HolderShape()}}));
  job.assemblies.push_back(Assembly(2, 10, OneLine(), {{"holder_profile", HolderShape()}}));
  job.holders.push_back(Holder(1, "BT40", true, 40, 60));
  job.holders.push_back(Holder(2, "デフォルトホルダ", true, 63, 40));  // never a user holder
  job.holders.push_back({{"number", 3}, {"name", "levels"}, {"by_number", true}});  // no level: not a user holder
  job.operations.push_back(Op(1, 1, 1, {}, 1));
  job.operations.push_back(Op(1, 2, 2, {}, 2));
  job.operations.push_back(Op(1, 3, 2, {}, 3));
  // A holder profile's arcs: "R-" unless the direction is above 0 (exactly 0 included).
  job.assemblies.push_back(Assembly(4, 10, OneLine(),
                                    {{"holder_profile", json::array({Arc(1, 2, 3, 0), Arc(4, 5, 6, 1e-300),
                                                                     Arc(7, 8, 9, -0.0), Arc(1, 1, 0.5, -1)})}}));
  job.holders.push_back(Holder(4, "BT50", true, 50, 80));
  job.operations.push_back(Op(1, 4, 4, {}, 4));
  Result r = Gather(job);
  EXPECT_EQ(r.holders,
            "/0 USER_HOLDER  0 0 20 0 20 45\n/1 STD_HOLDER 63.000000 40.000000\n"
            "/3 USER_HOLDER  1 2 R-3 4 5 R6 7 8 R-9 1 1 R-0.5\n");
}

TEST(Holders, EntriesWithoutALineKeepTheirIndex) {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, OneLine(), {{"holder_profile", nullptr}}));
  job.assemblies.push_back(Assembly(2, 10, OneLine(), {{"holder_profile", json::array()}}));
  job.holders.push_back(Holder(1, "デフォルトホルダ", true, 63, 40));
  job.holders.push_back(Holder(2, "デフォルトホルダ", true, 0, 40));   // no positive size
  job.holders.push_back(Holder(3, "デフォルトホルダ", true, 50, -1));
  job.holders.push_back(Holder(4, "特注", true, 30, 30));              // user holder without profile
  job.holders.push_back(Holder(5, "特注2", true, 30, 30));             // user holder with an empty profile
  job.holders.push_back(Holder(6, "デフォルトホルダ", true, 25, 35));
  job.operations.push_back(Op(1, 1, 1, {}, 1));
  job.operations.push_back(Op(1, 2, 1, {}, 2));
  job.operations.push_back(Op(1, 3, 1, {}, 3));
  job.operations.push_back(Op(1, 4, 1, {}, 4));
  job.operations.push_back(Op(1, 5, 2, {}, 5));
  job.operations.push_back(Op(1, 6, 1, {}, 777));  // a number the host does not know: no holder data
  job.operations.push_back(Op(1, 7, 1, {}, 6));
  Result r = Gather(job);
  EXPECT_EQ(r.indices, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(r.holders,
            "/0 STD_HOLDER 63.000000 40.000000\n"
            "/4 USER_HOLDER \n"
            "/6 STD_HOLDER 25.000000 35.000000\n");
}

TEST(Holders, TurningOperationsGatherNone) {
  Job job;
  job.lathe_tools.push_back(LatheTool(1, 10, OneLine()));
  job.holders.push_back(Holder(1, "デフォルトホルダ", true, 63, 40));
  job.operations.push_back(Op(60, 1, 1, {}, 1));
  EXPECT_EQ(Gather(job).holders, "");
}

}  // namespace
}  // namespace quenlo
