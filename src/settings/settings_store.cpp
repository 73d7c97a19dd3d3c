#include "settings/settings_store.h"

#include "host/folders.h"
#include "platform/files.h"
#include "settings/ini_file.h"

namespace quenlo {
namespace {

constexpr wchar_t kSection[] = L"Settings";
constexpr int kStoreFolderKind = 3;

// The store as one scope of reads sees it.
struct StoreCopy {
  int scopes = 0;
  bool loaded = false;
  std::optional<IniFile> ini;  // nothing when there is no store path or no readable file
};

// The add-in's folder below the host's folder of kind 3; empty when the host
// names none.
std::wstring StoreFolder() {
  CMastercamInterface* app = GetMastercamApp();
  std::wstring folder = app ? app->GetFolder(kStoreFolderKind) : std::wstring();
  return folder.empty() ? folder : folder + L"Halvorn";
}

std::wstring StoreFile(const std::wstring& folder) { return folder + platform::kPathSeparator + L"TARVIK.ini"; }

StoreCopy& Copy() {
  static StoreCopy copy;
  return copy;
}

void DropCopy() {
  Copy().loaded = false;
  Copy().ini.reset();
}

std::optional<IniFile> LoadStore() {
  std::optional<std::wstring> path = GetStorePath();
  std::string bytes;
  if (!path || !platform::ReadWholeFile(*path, bytes)) return std::nullopt;
  return IniFile::Parse(bytes);
}

}  // namespace

StoreReadScope::StoreReadScope() { ++Copy().scopes; }

void StoreFileMayHaveChanged() { DropCopy(); }

StoreReadScope::~StoreReadScope() {
  if (--Copy().scopes == 0) DropCopy();
}

std::optional<std::wstring> GetStorePath() {
  std::wstring folder = StoreFolder();
  if (folder.empty()) return std::nullopt;
  if (platform::GetPathKind(folder) != platform::PathKind::kDirectory) {
    platform::MakeDirectory(folder);
    if (platform::GetPathKind(folder) != platform::PathKind::kDirectory) return std::nullopt;
  }
  return StoreFile(folder);
}

std::wstring StorePathForMessages() {
  std::wstring folder = StoreFolder();
  return folder.empty() ? folder : StoreFile(folder);
}

std::wstring ReadStoreValue(const std::wstring& key, const std::wstring& fallback) {
  StoreCopy& copy = Copy();
  std::optional<IniFile> unscoped;
  if (copy.scopes == 0) {
    unscoped = LoadStore();
  } else if (!copy.loaded) {
    copy.ini = LoadStore();
    copy.loaded = true;
  }
  const std::optional<IniFile>& ini = copy.scopes == 0 ? unscoped : copy.ini;
  return ini ? ini->Get(kSection, key).value_or(fallback) : fallback;
}

void WriteStoreValue(const std::wstring& key, const std::wstring& value) {
  StoreWrite write;
  write.Set(key, value);
  write.Commit();
}

bool StoreWrite::Commit() const {
  DropCopy();
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
