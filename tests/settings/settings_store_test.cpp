#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/axis_row_text.h"
#include "settings/settings_store.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

class SettingsStoreTest : public ::testing::Test {
 protected:
  void UseUserFolder(const std::wstring& folder) {
    std::string json = R"({"format":"quenlo-job/1","host":{"user_folder":")" +
                       platform::ToUtf8(folder) + R"("},"machine_group":{}})";
    for (size_t i = 0; (i = json.find('\\', i)) != std::string::npos; i += 2) json.insert(i, "\\");
    ASSERT_TRUE(testing_support::InstallJob(json, dir_.path()));
  }
  std::wstring StoreFile() { return dir_ / L"Halvorn" + std::wstring(1, platform::kPathSeparator) + L"TARVIK.ini"; }
  TempDir dir_;
};

TEST_F(SettingsStoreTest, FirstUseCreatesTheFolderAndReadsDefaults) {
  UseUserFolder(dir_.path());
  EXPECT_EQ(ReadStoreValue(L"mch", L""), L"");
  EXPECT_EQ(ReadStoreValue(L"xyz 3", L"0 0 0 0 0 0 0 0 0"), L"0 0 0 0 0 0 0 0 0");
  EXPECT_EQ(GetStorePath(), StoreFile());
  EXPECT_FALSE(testing_support::FileExists(StoreFile()));
  WriteStoreValue(L"mch", L"C:\\m.mch");
  EXPECT_EQ(ReadBytes(StoreFile()), "[Settings]\r\nmch=C:\\m.mch\r\n");
}

TEST_F(SettingsStoreTest, LongJapanesePathsComeBackWhole) {
  UseUserFolder(dir_.path());
  std::wstring path = L"D:\\";
  for (int i = 0; i < 40; ++i) path += L"加工データ\\";
  path += L"part.mch";
  ASSERT_GT(platform::ToAnsi(path).size(), 254u);
  WriteStoreValue(L"mch", path);
  EXPECT_EQ(ReadStoreValue(L"mch", L""), path);
  std::string bytes = ReadBytes(StoreFile());
  EXPECT_NE(bytes.find(platform::ToAnsi(L"加工データ")), std::string::npos);  // stored in the ANSI code page
}

TEST_F(SettingsStoreTest, AFolderThatCannotBeMadeGivesDefaultsAndDropsWrites) {
  UseUserFolder(dir_.path());
  WriteBytes(dir_ / L"Halvorn", "a file where the folder should be");
  EXPECT_EQ(GetStorePath(), std::nullopt);
  WriteStoreValue(L"mch", L"x");
  EXPECT_EQ(ReadStoreValue(L"mch", L"default"), L"default");
  EXPECT_EQ(ReadBytes(dir_ / L"Halvorn"), "a file where the folder should be");
  UseUserFolder(L"");  // the host names no folder: no made-up path either
  EXPECT_EQ(GetStorePath(), std::nullopt);
}

TEST_F(SettingsStoreTest, OneWriteOfManyKeysIsAllOrNothing) {
  UseUserFolder(dir_.path());
  WriteStoreValue(L"mch", L"old");
  StoreWrite write;
  write.Set(L"mch", L"new");
  write.Set(L"exe", L"e");
  EXPECT_TRUE(write.Commit());
  EXPECT_EQ(ReadBytes(StoreFile()), "[Settings]\r\nmch=new\r\nexe=e\r\n");
  // A store that cannot be replaced (its name is taken by a folder) stays as it was.
  TempDir other;
  UseUserFolder(other.path());
  ASSERT_TRUE(GetStorePath().has_value());
  platform::MakeDirectory(*GetStorePath());
  EXPECT_FALSE(write.Commit());
  EXPECT_EQ(ReadStoreValue(L"mch", L"default"), L"default");
}

TEST(AxisRowText, RowsRoundTripThroughSinglePrecision) {
  AxisRow row{0.1, 123.456789, 1e-05, -2.5e6, 0, 0, 0, 0, 1};
  std::wstring text = FormatAxisRow(row);
  EXPECT_EQ(text, L"0.1 123.457 1e-05 -2.5e+06 0 0 0 0 1");
  AxisRow back{};
  EXPECT_EQ(ScanAxisRow(text, back), 9);
  EXPECT_EQ(back[0], static_cast<double>(0.1f));
  EXPECT_EQ(back[1], static_cast<double>(123.457f));
  EXPECT_EQ(back[2], static_cast<double>(1e-05f));
}

TEST(AxisRowText, ShortOrBrokenRowsStopAtTheFirstNonNumber) {
  AxisRow row{};
  EXPECT_EQ(ScanAxisRow(L"1 2 x 4", row), 2);
  EXPECT_EQ(row[0], 1);
  EXPECT_EQ(row[1], 2);
  EXPECT_EQ(row[2], 0);
  EXPECT_EQ(row[3], 0);
  AxisRow empty{};
  EXPECT_EQ(ScanAxisRow(L"", empty), 0);
  AxisRow text{};
  EXPECT_EQ(ScanAxisRow(L"abc", text), 0);
}

}  // namespace
}  // namespace quenlo

namespace quenlo {
namespace {

TEST_F(SettingsStoreTest, AnEmptyStoreReadsDefaultsAndTakesWrites) {
  UseUserFolder(dir_.path());
  platform::MakeDirectory(dir_ / L"Halvorn");
  WriteBytes(StoreFile(), "");
  EXPECT_EQ(ReadStoreValue(L"exe", L"d"), L"d");
  WriteStoreValue(L"exe", L"x");
  EXPECT_EQ(ReadBytes(StoreFile()), "[Settings]\r\nexe=x\r\n");
}

}  // namespace
}  // namespace quenlo

namespace quenlo {
namespace {

TEST_F(SettingsStoreTest, ReadsFromOneScopesCopyGiveWhatTheFileGives) {
  UseUserFolder(dir_.path());
  platform::MakeDirectory(dir_ / L"Halvorn");
  const std::string odd = "junk\r\n[other]\r\nmch=not this\r\n[ SETTINGS ]\r\nMch = \" quoted \" \r\nmch=second\r\n"
                          "novalue\r\nexe=\r\nprj='x'\r\n[Settings]\r\ntol=later section\r\nwrk=" +
                          platform::ToAnsi(L"D:\\加工\\w.wrk") + "\r\nxyz 3=1 2 3";
  WriteBytes(StoreFile(), odd);
  const std::wstring keys[] = {L"mch", L"MCH", L"novalue", L"exe", L"prj", L"tol", L"wrk", L"xyz 3", L"xyz 4"};
  std::vector<std::wstring> unscoped;
  for (const std::wstring& key : keys) unscoped.push_back(ReadStoreValue(key, L"fallback"));
  EXPECT_EQ(unscoped[0], L" quoted ");
  StoreReadScope scope;
  for (size_t i = 0; i < std::size(keys); ++i) EXPECT_EQ(ReadStoreValue(keys[i], L"fallback"), unscoped[i]) << i;
  // Writing the store drops the copy: the next read sees what was written.
  WriteStoreValue(L"xyz 4", L"4 4");
  EXPECT_EQ(ReadStoreValue(L"xyz 4", L"fallback"), L"4 4");
}

}  // namespace
}  // namespace quenlo
