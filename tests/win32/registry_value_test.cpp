// The Win32 registry back end against values written through the registry
// API itself, where a .reg file cannot say it: data that fills the locator's
// old 520-byte buffer with no terminating NUL, longer values, other types.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\Quenlo Registry Test";

class RegistryValue : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  }
  void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  HKEY key_ = nullptr;
};

TEST_F(RegistryValue, DataIsReadOnlyAsFarAsTheRegistryReturnedIt) {
  // 260 characters, 520 bytes, no terminator: exactly the old buffer.
  std::wstring full(260, L'x');
  Set(L"Full", REG_SZ, full.data(), 520);
  // 259 characters with the terminator; 300 characters with it.
  std::wstring fits(259, L'y'), longer(300, L'z');
  Set(L"Fits", REG_SZ, fits.c_str(), 520);
  Set(L"Longer", REG_EXPAND_SZ, longer.c_str(), 602);
  // An odd byte count: the last half character is not text.
  Set(L"Odd", REG_SZ, L"ab", 5);

  EXPECT_EQ(quenlo::platform::ReadMachineKeyValue(kKey, L"Full").text, full);
  EXPECT_EQ(quenlo::platform::ReadMachineKeyValue(kKey, L"Fits").text, fits);
  EXPECT_EQ(quenlo::platform::ReadMachineKeyValue(kKey, L"Longer").text, longer);
  EXPECT_EQ(quenlo::platform::ReadMachineKeyValue(kKey, L"Odd").text, L"ab");
}

TEST_F(RegistryValue, OtherTypesAndMissingValuesGiveNoText) {
  DWORD number = 7;
  Set(L"Number", REG_DWORD, &number, sizeof number);
  Set(L"Empty", REG_BINARY, nullptr, 0);
  Set(L"List", REG_MULTI_SZ, L"a\0b\0", 10);
  for (const wchar_t* name : {L"Number", L"Empty", L"List", L"Missing"}) {
    quenlo::platform::MachineKeyValue v = quenlo::platform::ReadMachineKeyValue(kKey, name);
    EXPECT_TRUE(v.key_opened);
    EXPECT_FALSE(v.text.has_value()) << name;
  }
  EXPECT_FALSE(quenlo::platform::ReadMachineKeyValue(L"SOFTWARE\\Quenlo Registry Test\\None", L"x").key_opened);
}

}  // namespace
