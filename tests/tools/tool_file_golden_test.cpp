// Whole tool files, byte for byte, from job files of tests/data/tools.
#include <gtest/gtest.h>

#include "export/tools/tool_file_writer.h"
#include "platform/ansi.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

using testing_support::ReadBytes;

std::wstring DataFile(const std::string& name) {
  return platform::FromUtf8(std::string(QUENLO_TEST_DATA) + "/tools/" + name);
}

class ToolFileGolden : public testing::TestWithParam<const char*> {};

TEST_P(ToolFileGolden, WritesTheExpectedBytes) {
  const std::string name = GetParam();
  const std::string job = ReadBytes(DataFile(name + ".json"));
  const std::string expected = ReadBytes(DataFile(name + ".tol"));
  ASSERT_FALSE(job.empty());
  ASSERT_FALSE(expected.empty());
  testing_support::TempDir dir;
  ASSERT_TRUE(testing_support::InstallJob(job, dir.path()));
  const std::wstring path = dir / L"工具.tol";
  WriteToolFile(path);
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_TRUE(testing_support::Messages().empty());
}

// mill_example and holder_example are the two worked examples of the format;
// mixed_job adds turning tools before and after milling ones, the type-13 and
// type-24 line rules, skipped operation codes, repeated tool, D and H numbers,
// an unknown holder and Japanese comments (code page 932 bytes).
INSTANTIATE_TEST_SUITE_P(Jobs, ToolFileGolden, testing::Values("mill_example", "holder_example", "mixed_job"));

}  // namespace
}  // namespace quenlo
