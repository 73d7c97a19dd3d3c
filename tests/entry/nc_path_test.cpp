#include <gtest/gtest.h>

#include "entry/nc_path.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

TEST(ReplaceSuffix, TakesTheLastDotOfTheFileNameOnly) {
  EXPECT_EQ(ReplaceSuffix(L"E:\\NC\\part", L".NC"), L"E:\\NC\\part.NC");
  EXPECT_EQ(ReplaceSuffix(L"E:\\rev.2\\part", L".NC"), L"E:\\rev.2\\part.NC");
  EXPECT_EQ(ReplaceSuffix(L"E:\\rev.2\\part.nci", L".NC"), L"E:\\rev.2\\part.NC");
  EXPECT_EQ(ReplaceSuffix(L"E:\\部品\\加工.nc", L".NC"), L"E:\\部品\\加工.NC");
  EXPECT_EQ(ReplaceSuffix(L"/a.b/c", L".NC"), L"/a.b/c.NC");
  EXPECT_EQ(ReplaceSuffix(L".nc", L".NC"), L".nc.NC");           // the dot starts the whole path
  EXPECT_EQ(ReplaceSuffix(L"E:\\NC\\.nc", L".NC"), L"E:\\NC\\.NC");  // only the first character counts
  EXPECT_EQ(ReplaceSuffix(L"a.b.c", L".NC"), L"a.b.NC");
}

TEST(BuildNcPath, ComposesTheHostPrefixWithBaseNameAndExtension) {
  testing_support::TempDir dir;
  ASSERT_TRUE(testing_support::InstallJob(R"({"format":"quenlo-job/1","machine_group":{}})", dir.path()));
  EXPECT_EQ(BuildNcPath(L"E:\\work\\job1.nci", L"D:\\NC\\"), L"D:\\NC\\job1.nci");
  std::wstring long_name(600, L'x');
  EXPECT_EQ(BuildNcPath(L"E:\\" + long_name + L".nci", L"D:\\NC\\"), L"D:\\NC\\" + long_name + L".nci");
}

}  // namespace
}  // namespace quenlo
