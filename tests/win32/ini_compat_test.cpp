// The settings store and the Windows private-profile functions read each
// other's files: at code page 932, in a folder with a Japanese name.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

using testing_support::ReadBytes;

std::wstring JapaneseFolder(const testing_support::TempDir& dir) {
  std::wstring folder = dir / L"設定フォルダ";
  platform::MakeDirectory(folder);
  return folder + L"\\";
}

std::string ReadWithWindows(const std::wstring& path, const std::wstring& key) {
  std::vector<char> buffer(4096);
  GetPrivateProfileStringA("Settings", platform::ToAnsi(key).c_str(), "<default>", buffer.data(),
                           static_cast<DWORD>(buffer.size()), platform::ToAnsi(path).c_str());
  return buffer.data();
}

TEST(IniCompat, TheCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

TEST(IniCompat, WindowsReadsWhatTheStoreWrote) {
  testing_support::TempDir dir;
  std::wstring path = JapaneseFolder(dir) + L"TARVIK.ini";
  std::wstring long_path = L"D:\\";
  for (int i = 0; i < 30; ++i) long_path += L"加工データ\\";
  IniFile ini = IniFile::Parse("; a comment\r\n[Other]\r\nmch=no\r\n");
  ini.Set(L"Settings", L"mch", L"C:\\機械\\m.mch");
  ini.Set(L"Settings", L"prj", L"\"D:\\with blanks\\p.prjx\"");
  ini.Set(L"Settings", L"xyz 315", L"0.1 0 0 0 0 0 0 0 1e-05");
  ini.Set(L"Settings", L"wrk", long_path);
  ASSERT_TRUE(platform::ReplaceFileContents(path, ini.Serialize()));
  EXPECT_EQ(ReadWithWindows(path, L"mch"), platform::ToAnsi(L"C:\\機械\\m.mch"));
  EXPECT_EQ(ReadWithWindows(path, L"MCH"), platform::ToAnsi(L"C:\\機械\\m.mch"));
  EXPECT_EQ(ReadWithWindows(path, L"prj"), "D:\\with blanks\\p.prjx");
  EXPECT_EQ(ReadWithWindows(path, L"xyz 315"), "0.1 0 0 0 0 0 0 0 1e-05");
  EXPECT_EQ(ReadWithWindows(path, L"wrk"), platform::ToAnsi(long_path));
  EXPECT_EQ(ReadWithWindows(path, L"tol"), "<default>");
}

TEST(IniCompat, TheStoreReadsWhatWindowsWrote) {
  testing_support::TempDir dir;
  std::wstring path = JapaneseFolder(dir) + L"TARVIK.ini";
  testing_support::WriteBytes(path, "; kept\r\n[Other]\r\nk=1\r\n");
  const std::wstring values[][2] = {{L"mch", L"C:\\機械\\m.mch"},
                                    {L"exe", L"C:\\Program Files\\Tarvik\\Tarvik.exe"},
                                    {L"ref 4", L"1 2 3 4 5 6 7 8 9"},
                                    {L"mch", L"C:\\機械\\second.mch"}};
  for (const auto& kv : values)
    ASSERT_TRUE(WritePrivateProfileStringW(L"Settings", kv[0].c_str(), kv[1].c_str(), path.c_str()));
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());  // flush Wine's cache
  std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find(platform::ToAnsi(L"機械")), std::string::npos);  // written in code page 932
  IniFile ini = IniFile::Parse(bytes);
  EXPECT_EQ(ini.Get(L"Settings", L"mch"), L"C:\\機械\\second.mch");
  EXPECT_EQ(ini.Get(L"settings", L"EXE"), L"C:\\Program Files\\Tarvik\\Tarvik.exe");
  EXPECT_EQ(ini.Get(L"Settings", L"ref 4"), L"1 2 3 4 5 6 7 8 9");
  EXPECT_EQ(ini.Get(L"Other", L"k"), L"1");
}

TEST(IniCompat, BothSidesAgreeOnAnEditedFile) {
  testing_support::TempDir dir;
  std::wstring path = JapaneseFolder(dir) + L"TARVIK.ini";
  ASSERT_TRUE(WritePrivateProfileStringW(L"Settings", L"mch", L"a", path.c_str()));
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  IniFile ini = IniFile::Parse(ReadBytes(path));
  ini.Set(L"Settings", L"tol", L"C:\\工具\\t.tol");
  ASSERT_TRUE(platform::ReplaceFileContents(path, ini.Serialize()));
  EXPECT_EQ(ReadWithWindows(path, L"mch"), "a");
  EXPECT_EQ(ReadWithWindows(path, L"tol"), platform::ToAnsi(L"C:\\工具\\t.tol"));
}

TEST(IniCompat, TheStoreAndTheProfileFunctionsShareTheStoreFile) {
  testing_support::TempDir dir;
  std::wstring user = JapaneseFolder(dir);
  std::string folder = platform::ToUtf8(user);
  std::string escaped;
  for (char c : folder) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  ASSERT_TRUE(testing_support::InstallJob(
      R"({"format":"quenlo-job/1","host":{"user_folder":")" + escaped + R"("},"machine_group":{}})", dir.path()));
  std::optional<std::wstring> path = GetStorePath();
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, user + L"Halvorn\\TARVIK.ini");
  WriteStoreValue(L"prj", L"D:\\作業\\part1.prjx");
  EXPECT_EQ(ReadWithWindows(*path, L"prj"), platform::ToAnsi(L"D:\\作業\\part1.prjx"));
  ASSERT_TRUE(WritePrivateProfileStringW(L"Settings", L"tol", L"D:\\作業\\part1.tol", path->c_str()));
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path->c_str());
  EXPECT_EQ(ReadStoreValue(L"tol", L""), L"D:\\作業\\part1.tol");
  EXPECT_EQ(ReadStoreValue(L"prj", L""), L"D:\\作業\\part1.prjx");
}

}  // namespace
}  // namespace quenlo
