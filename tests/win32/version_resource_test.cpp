// Tarvik.dll's version resource as Windows reads it (version.dll): the file
// and product version are the project's, both string blocks (Japanese and
// English, Unicode) are there and each names the same version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quenlo_version.h"

namespace {

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

TEST(VersionResource, CarriesTheProjectVersionInJapaneseAndEnglish) {
  std::wstring dll = Wide(QUENLO_BINARY_DIR) + L"/bin/Tarvik.dll";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(dll.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, size, data.data()));
  void* value = nullptr;
  UINT length = 0;

  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
  auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
  DWORD ms = MAKELONG(QUENLO_VERSION_MINOR, QUENLO_VERSION_MAJOR), ls = MAKELONG(0, QUENLO_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, ms);
  EXPECT_EQ(fixed->dwFileVersionLS, ls);
  EXPECT_EQ(fixed->dwProductVersionMS, ms);
  EXPECT_EQ(fixed->dwProductVersionLS, ls);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  // The translations, in order: Japanese, then English, both UTF-16.
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 8u);
  const WORD* pairs = static_cast<const WORD*>(value);
  EXPECT_EQ(std::vector<WORD>(pairs, pairs + 4), (std::vector<WORD>{0x0411, 1200, 0x0409, 1200}));

  struct Expected {
    const wchar_t* block;
    const wchar_t* name;
    std::wstring text;
  };
  const std::wstring version = Wide(QUENLO_VERSION_TEXT);
  const Expected cases[] = {
      {L"041104b0", L"FileVersion", version},
      {L"041104b0", L"ProductVersion", version},
      {L"041104b0", L"ProductName", L"Quenlo"},
      {L"041104b0", L"CompanyName", L"Quenlo プロジェクト"},
      {L"041104b0", L"FileDescription", L"Quenlo: CAM の NC ジョブを Tarvik／Pellast シミュレーターへ渡すアドイン"},
      {L"041104b0", L"LegalCopyright", L"Copyright (C) 2026 Quenlo プロジェクト"},
      {L"041104b0", L"OriginalFilename", L"Tarvik.dll"},
      {L"040904b0", L"FileVersion", version},
      {L"040904b0", L"ProductVersion", version},
      {L"040904b0", L"ProductName", L"Quenlo"},
      {L"040904b0", L"CompanyName", L"The Quenlo project"},
      {L"040904b0", L"FileDescription",
       L"Quenlo: hands the CAM host's NC job to the Tarvik or Pellast simulator"},
      {L"040904b0", L"LegalCopyright", L"Copyright (C) 2026 The Quenlo project"},
      {L"040904b0", L"OriginalFilename", L"Tarvik.dll"},
  };
  for (const Expected& c : cases) {
    std::wstring query = std::wstring(L"\\StringFileInfo\\") + c.block + L"\\" + c.name;
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
        << "missing: " << testing::PrintToString(query);
    EXPECT_EQ(std::wstring(text), c.text) << testing::PrintToString(query);
  }
}

}  // namespace
