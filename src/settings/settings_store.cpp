#include "settings/settings_store.h"

#include "host/folders.h"
#include "platform/files.h"
#include "settings/ini_file.h"

namespace quenlo {
namespace {

constexpr wchar_t kSection[] = L"Settings";
constexpr int kStoreFolderKind = 3;

}  // namespace

std::optional<std::wstring> GetStorePath() {
  CMastercamInterface* app = GetMastercamApp();
  if (!app) return std::nullopt;
  std::wstring folder = app->GetFolder(kStoreFolderKind);
  if (folder.empty()) return std::nullopt;
  folder += L"Halvorn";
  if (platform::GetPathKind(folder) != platform::PathKind::kDirectory) {
    platform::MakeDirectory(folder);
    if (platform::GetPathKind(folder) != platform::PathKind::kDirectory) return std::nullopt;
  }
  return folder + platform::kPathSeparator + L"TARVIK.ini";
}

std::wstring ReadStoreValue(const std::wstring& key, const std::wstring& fallback) {
  std::optional<std::wstring> path = GetStorePath();
  std::string bytes;
  if (!path || !platform::ReadWholeFile(*path, bytes)) return fallback;
  return IniFile::Parse(bytes).Get(kSection, key).value_or(fallback);
}

void WriteStoreValue(const std::wstring& key, const std::wstring& value) {
  StoreWrite write;
  write.Set(key, value);
  write.Commit();
}

bool StoreWrite::Commit() const {
  std::optional<std::wstring> path = GetStorePath();
  if (!path) return false;
  std::string bytes;
  if (platform::GetPathKind(*path) != platform::PathKind::kMissing && !platform::ReadWholeFile(*path, bytes))
    return false;  // never replace a store that could not be read
  IniFile ini = IniFile::Parse(bytes);
  for (const auto& [key, value] : values_) ini.Set(kSection, key, value);
  return platform::ReplaceFileContents(*path, ini.Serialize());
}

}  // namespace quenlo
