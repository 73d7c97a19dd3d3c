// An axis row as the settings store and the settings file write it ("%g" nine
// times, separated by blanks) and read it back (nine single-precision numbers,
// as scanf's "%f" reads them).
#pragma once

#include <string>
#include <string_view>

#include "settings/link_settings.h"

namespace quenlo {

// "%g %g %g %g %g %g %g %g %g"
std::wstring FormatAxisRow(const AxisRow& row);

// Reads up to nine numbers from the start of `text` into `row`, each rounded to
// single precision and widened back; one that is not finite there (inf, nan,
// or beyond single precision) becomes 0. Reading stops at the first item that
// is not a number. Returns how many were read; the others are left as they were.
int ScanAxisRow(std::wstring_view text, AxisRow& row);
// The same for ASCII text.
int ScanAxisRow(std::string_view ascii, AxisRow& row);

}  // namespace quenlo
