// The simulator locators against registry fixtures, on both builds: the same
// .reg files, imported with regedit under Wine and read by the .reg reader on
// POSIX, give the same answers.
#include <gtest/gtest.h>

#include <string>

#include "platform/ansi.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "registry_fixture.h"
#include "simulator/simulator_locator.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace simulator_test {

std::wstring FixturePath(const std::string& name) {
  std::wstring path = quenlo::platform::FromUtf8(std::string(QUENLO_TEST_DATA) + "/simulator/" + name);
#ifdef _WIN32
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;  // the Unix root under Wine
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
#endif
  return path;
}

std::wstring StandinSimulatorPath() {
  std::wstring path = quenlo::platform::FromUtf8(std::string(QUENLO_BINARY_DIR) + "/bin/tarvik-standin");
#ifdef _WIN32
  path = L"Z:" + path + L".exe";
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
#endif
  return path;
}

#ifdef _WIN32
namespace {
void Regedit(const std::wstring& file) {
  std::wstring command = L"regedit.exe /S \"" + file + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}
}  // namespace
#endif

void UseRegistryFixture(const std::string& name) {
  ASSERT_EQ(quenlo::platform::GetPathKind(FixturePath(name)), quenlo::platform::PathKind::kFile) << name;
#ifdef _WIN32
  Regedit(FixturePath("clean.reg"));
  Regedit(FixturePath(name));
#else
  quenlo::platform::SetRegistryFile(FixturePath(name));
#endif
}

namespace {

using quenlo::LocatePellast;
using quenlo::LocateTarvik;

TEST(Locator, TarvikKeysInOrderTheFirstThatOpensDecides) {
  UseRegistryFixture("arden_both.reg");  // UTF-16 file; the 2.2 key carries an icon index
  EXPECT_EQ(LocateTarvik(), L"C:\\Program Files\\TARVIK\\Arden22\\Tarvik.exe,0");
  EXPECT_EQ(LocatePellast(), L"");

  UseRegistryFixture("spingard_only.reg");  // and a key outside HKLM that must not count
  EXPECT_EQ(LocateTarvik(), L"D:\\シミュレータ\\Spingard\\Tarvik.exe");
}

TEST(Locator, FormgardAndBitgardComeBeforeSpingard) {
  UseRegistryFixture("formgard_only.reg");
  EXPECT_EQ(LocateTarvik(), L"C:\\Formgard\\Tarvik.exe");
  UseRegistryFixture("bitgard_spingard.reg");  // Bitgard on its own: unterminated_value.reg
  EXPECT_EQ(LocateTarvik(), L"C:\\Bitgard\\Tarvik.exe");
  UseRegistryFixture("formgard_bitgard_spingard.reg");
  EXPECT_EQ(LocateTarvik(), L"C:\\Formgard\\Tarvik.exe");
}

TEST(Locator, AKeyThatOpensWithoutItsValueStopsTheSearch) {
  UseRegistryFixture("key_without_value.reg");
  EXPECT_EQ(LocateTarvik(), L"");   // Arden 2.2 opens; Formgard is not tried
  EXPECT_EQ(LocatePellast(), L"");  // WOW6432Node opens; Pellast_is1 is not tried
}

TEST(Locator, PellastProbes) {
  UseRegistryFixture("pellast_install_dir.reg");
  EXPECT_EQ(LocatePellast(), L"C:\\Program Files (x86)\\Varnell\\Pellast\\\\Pellast.exe");
  EXPECT_EQ(LocateTarvik(), L"");

  UseRegistryFixture("pellast_component.reg");
  EXPECT_EQ(LocatePellast(), L"C:\\Varnell\\Pellast 3\\Pellast.exe");
}

TEST(Locator, ValuesThatAreNoTextGiveNothing) {
  UseRegistryFixture("other_types.reg");  // a number, and binary data
  EXPECT_EQ(LocateTarvik(), L"");
  EXPECT_EQ(LocatePellast(), L"");

  UseRegistryFixture("empty_values.reg");  // an empty string, and empty binary data
  EXPECT_EQ(LocateTarvik(), L"");
  EXPECT_EQ(LocatePellast(), L"");  // not "\Pellast.exe"

  // An empty "InstallDir" string is no installation either (not "\Pellast.exe"),
  // and the probes after it are not tried.
  UseRegistryFixture("empty_install_dir.reg");
  EXPECT_EQ(LocatePellast(), L"");
}

TEST(Locator, UnterminatedAndExpandableStringsAreReadAsStored) {
  UseRegistryFixture("unterminated_value.reg");
  EXPECT_EQ(LocateTarvik(), L"C:\\T.exe");
  EXPECT_EQ(LocatePellast(), L"%P%\\P.exe");

  UseRegistryFixture("ansi_hex_text.reg");  // Shift-JIS bytes of C:\テスト\T.exe
  EXPECT_EQ(LocateTarvik(), L"C:\\テスト\\T.exe");
}

TEST(Locator, LongValuesAreReadWhole) {
  UseRegistryFixture("long_values.reg");
  std::wstring tarvik = LocateTarvik(), pellast = LocatePellast();
  EXPECT_EQ(tarvik.size(), 259u);
  EXPECT_EQ(tarvik, L"C:\\" + std::wstring(245, L'a') + L"\\Tarvik.exe");
  EXPECT_EQ(pellast.size(), 300u);
  EXPECT_EQ(pellast, L"C:\\" + std::wstring(285, L'b') + L"\\Pellast.exe");
}

TEST(Locator, JunkLinesAreSkippedAndAWrongHeaderImportsNothing) {
  UseRegistryFixture("junk_lines.reg");
  EXPECT_EQ(LocateTarvik(), L"C:\\Arden 2.0\\Tarvik.exe");
  EXPECT_EQ(LocatePellast(), L"C:\\Pellast\\Pellast.exe");

  UseRegistryFixture("wrong_header.reg");
  EXPECT_EQ(LocateTarvik(), L"");
  EXPECT_EQ(LocatePellast(), L"");
}

}  // namespace
}  // namespace simulator_test
