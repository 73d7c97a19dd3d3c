// The .reg reader that stands in for the registry on POSIX: what regedit
// would import from the text (the fixtures shared with Wine cover the
// locators; these cover the reader's own rules).
#ifndef _WIN32
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/posix/reg_file.h"
#include "platform/registry.h"

namespace {

using quenlo::platform::RegImage;
using quenlo::platform::RegValue;

std::wstring Text(const RegImage& image, const wchar_t* key, const wchar_t* name) {
  const RegValue* v = image.FindValue(key, name);
  if (!v) return L"<none>";
  auto text = quenlo::platform::RegistryValueText(v->type, reinterpret_cast<const unsigned char*>(v->data.data()),
                                                  v->data.size());
  return text ? *text : L"<not text>";
}

TEST(RegFile, StringsEscapesContinuationsAndCase) {
  RegImage image;
  ASSERT_TRUE(image.Import(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App]\r\n"
      "@=\"default\"\r\n"
      "\"Quoted\"=\"say \\\"hi\\\" C:\\\\dir\\\\\"\r\n"
      "\"Long\"=hex(2):41,\\\r\n"
      "  42,00\r\n"  // 8-bit file: ANSI bytes
      "[hkey_local_machine\\software\\VENDOR\\app]\r\n"
      "\"Later\"=\"x\"\r\n"));
  EXPECT_EQ(Text(image, L"SOFTWARE\\Vendor\\App", L""), L"default");
  EXPECT_EQ(Text(image, L"software\\vendor\\APP", L"quoted"), L"say \"hi\" C:\\dir\\");
  EXPECT_EQ(Text(image, L"SOFTWARE\\Vendor\\App", L"Long"), L"AB");
  EXPECT_EQ(Text(image, L"SOFTWARE\\Vendor\\App", L"Later"), L"x");  // same key, other letter case
  EXPECT_TRUE(image.HasKey(L"SOFTWARE\\Vendor"));  // a parent opens too
  EXPECT_TRUE(image.HasKey(L"SOFTWARE"));
  EXPECT_FALSE(image.HasKey(L"SOFTWARE\\Vend"));
  EXPECT_FALSE(image.HasKey(L"SOFTWARE\\Vendor\\App\\Sub"));
}

TEST(RegFile, DeletionsAndOtherRoots) {
  RegImage image;
  ASSERT_TRUE(image.Import(
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\A\\B\\C]\n\"V\"=\"1\"\n"
      "[HKEY_LOCAL_MACHINE\\A\\B D]\n\"V\"=\"2\"\n\"W\"=\"3\"\n\"W\"=-\n"
      "[-HKEY_LOCAL_MACHINE\\A\\B]\n"
      "[HKEY_CURRENT_USER\\A\\X]\n\"V\"=\"4\"\n"
      "[HKEY_LOCAL_MACHINE\\A\\\x83\x65\x83\x58\x83\x67]\n\"V\"=\"\x95\x94\x95\x69\"\n"));  // Shift-JIS
  EXPECT_FALSE(image.HasKey(L"A\\B"));
  EXPECT_FALSE(image.HasKey(L"A\\B\\C"));
  EXPECT_TRUE(image.HasKey(L"A\\B D"));  // not below A\B
  EXPECT_EQ(Text(image, L"A\\B D", L"W"), L"<none>");
  EXPECT_FALSE(image.HasKey(L"A\\X"));
  EXPECT_EQ(Text(image, L"A\\テスト", L"V"), L"部品");
}

TEST(RegFile, NotARegistryFile) {
  RegImage image;
  EXPECT_FALSE(image.Import(""));
  EXPECT_FALSE(image.Import("REGEDIT5\r\n[HKEY_LOCAL_MACHINE\\A]\r\n"));
  EXPECT_FALSE(image.HasKey(L"A"));
}

TEST(RegistryFile, MissingOrUnsetFileOpensNoKey) {
  quenlo::platform::SetRegistryFile(L"");
  EXPECT_FALSE(quenlo::platform::ReadMachineKeyValue(L"SOFTWARE", L"x").key_opened);
  quenlo::platform::SetRegistryFile(L"/nonexistent/machine.reg");
  EXPECT_FALSE(quenlo::platform::ReadMachineKeyValue(L"SOFTWARE", L"x").key_opened);
}

}  // namespace
#endif
