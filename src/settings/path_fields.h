// The paths of the settings record with the names the panel gives them, and
// whether the ANSI code page can carry them into a file: a path that does not
// survive the code page would name another file once written.
#pragma once

#include <string>

#include "settings/link_settings.h"

namespace quenlo {

struct PathField {
  const char* key;                      // the store's and the settings file's key
  std::wstring LinkSettings::*member;
  const wchar_t* label;                 // the panel's label
};

// The five paths that the store and the settings file keep, in the order both
// write them.
inline const PathField kKeptPaths[] = {
    {"mch", &LinkSettings::mch, L"機械定義"},
    {"exe", &LinkSettings::exe, L"実行形式"},
    {"prj", &LinkSettings::prj, L"プロジェクトファイル"},
    {"tol", &LinkSettings::tol, L"工具ファイル"},
    {"wrk", &LinkSettings::wrk, L"素材ファイル"},
};

// The paths that the project file names.
inline const PathField kProjectPaths[] = {
    {"nc_file", &LinkSettings::nc_file, L"NCファイル"},
    {"tol", &LinkSettings::tol, L"工具ファイル"},
    {"mch", &LinkSettings::mch, L"機械定義"},
    {"wrk", &LinkSettings::wrk, L"素材ファイル"},
};

// Whether the path of `field` can be written into a file as it is.
bool PathCarried(const LinkSettings& s, const PathField& field);

// The kept paths that cannot be written as they are, for the one message that
// tells the user they were not kept ("実行形式（ë）、…"); empty when all can.
std::wstring PathsNotKept(const LinkSettings& s);

// The message for those paths.
std::wstring PathsNotKeptMessage(const std::wstring& fields);

}  // namespace quenlo
