// Whole project files from the bundled template, byte for byte, one per stock
// kind. The temporary folder in the paths stands as @DIR@ in the golden files.
#include <cstdlib>

#include "project/project_fixture.h"

namespace quenlo {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

struct GoldenCase {
  const char* name;
  const char* stock;
};

class ProjectGolden : public ProjectTest, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(ProjectGolden, MatchesTheGoldenFile) {
  std::string demo_template =
      testing_support::ReadBytes(platform::FromUtf8(QUENLO_SOURCE_DIR "/examples/demo/addins/default_template.prj"));
  ASSERT_FALSE(demo_template.empty());
  Install(GetParam().stock, demo_template);
  FillSettings();
  FillTables();
  std::string actual = ReplaceAll(Write(), DirAnsi(), "@DIR@");
  std::wstring golden = platform::FromUtf8(QUENLO_TEST_DATA "/project/") + platform::FromUtf8(GetParam().name) + L".prj";
  if (std::getenv("QUENLO_UPDATE_GOLDEN")) testing_support::WriteBytes(golden, actual);
  std::string expected = testing_support::ReadBytes(golden);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(actual, expected);
  EXPECT_TRUE(testing_support::Messages().empty());
  EXPECT_EQ(testing_support::FileExists(s_.nc_file + L".stl"), std::string(GetParam().name) == "solid");
}

INSTANTIATE_TEST_SUITE_P(
    Stocks, ProjectGolden,
    ::testing::Values(
        GoldenCase{"box", R"({"shape":"box","size":[100,50,20],"origin":[10,5,0],"origin_code":8})"},
        GoldenCase{"bar", R"({"shape":"bar","size":[40,120,7],"origin":[1,2,3],"origin_code":3})"},
        GoldenCase{"solid", R"({"shape":"solid","size":[80,60,30],"origin":[1,2,3],
                              "solid":{"box":{"min":[0,0,0],"max":[80,60,30]}}})"},
        GoldenCase{"file", R"({"shape":"file","size":[0,0,0],"file":"C:\\ワーク\\part.wrk"})"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quenlo
