// The settings store that carries the settings from one run to the next: the
// INI file "TARVIK.ini" in the add-in's folder "Halvorn" below the host's
// folder of kind 3, section "Settings". Every value is text; callers format
// and parse numbers (settings/axis_row_text.h, common/numbers.h).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quenlo {

// The store file's path, creating the add-in's folder when it is missing.
// Nothing when the host names no folder or the add-in's folder can neither be
// found nor created: then reads give their defaults and writes are dropped.
std::optional<std::wstring> GetStorePath();

// The store file's path as a message shows it, whether or not its folder is
// there; empty when the host names no folder.
std::wstring StorePathForMessages();

// The value of `key`, whole, or `fallback` when the file, section or key is missing.
std::wstring ReadStoreValue(const std::wstring& key, const std::wstring& fallback);

// While one of these lives (the link run holds one for the whole run), the
// store file is read and parsed once: the first read loads it, later reads
// answer from that copy. Writing the store drops the copy, so does a settings
// file saved or loaded (StoreFileMayHaveChanged), and so does the end of the
// last scope, so a store edited between two runs is read afresh. Outside a
// scope every read goes to the file.
class StoreReadScope {
 public:
  StoreReadScope();
  ~StoreReadScope();
  StoreReadScope(const StoreReadScope&) = delete;
  StoreReadScope& operator=(const StoreReadScope&) = delete;
};

// Drops the copy of the current read scope: the next read goes to the file.
// For files the user names, which may be the store itself.
void StoreFileMayHaveChanged();

// Sets one key (see StoreWrite for several at once).
void WriteStoreValue(const std::wstring& key, const std::wstring& value);

// Several keys written in one go: the store file is replaced whole, so a failure
// midway leaves the previous store as it was.
class StoreWrite {
 public:
  void Set(std::wstring key, std::wstring value) { values_.emplace_back(std::move(key), std::move(value)); }
  // False when nothing was written (no store path, the old file unreadable, or
  // the new file could not be put in place).
  bool Commit() const;

 private:
  std::vector<std::pair<std::wstring, std::wstring>> values_;
};

}  // namespace quenlo
