// Whether the ANSI code page can carry a path of the settings record into a
// file: a path that does not survive the code page would name another file
// once written.
#pragma once

#include <string>

#include "settings/settings_fields.h"

namespace quenlo {

// Whether the path of `field` (a kPath field) can be written into a file as it is.
bool PathCarried(const LinkSettings& s, const SettingsField& field);

// The stored paths that cannot be written as they are, for the one message
// that tells the user they were not kept ("実行形式（ë）、…"); empty when all can.
std::wstring PathsNotKept(const LinkSettings& s);

}  // namespace quenlo
