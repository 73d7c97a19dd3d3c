// Numbers as the add-in's files and boxes carry them: formatted exactly as C
// printf does in the "C" locale ("%d", "%f", "%g") and parsed the way the C
// runtime's leading-number conversions do, whatever locale the process runs in.
// Built on std::to_chars / std::from_chars, which neither the locale nor the
// C runtime's printf (whose exponent digits differ between runtimes) touch.
#pragma once

#include <string>
#include <string_view>

namespace quenlo {

// "%d"
std::string FormatD(long long value);
// The file formats: no file of the add-in ever carries "inf" or "nan" (the
// simulator rejects them), so a value that is not finite is written as 0.
// "%f": fixed, six decimals.
std::string FormatF(double value);
// "%g": six significant digits, the shorter of fixed and exponent form.
std::string FormatG(double value);
// "%.<digits>g": general form with the given number of significant digits.
std::string FormatGeneral(double value, int digits);

// The same, appended to `out` (no text of their own: for writers that put
// many numbers on one line).
void AppendD(std::string& out, long long value);
void AppendF(std::string& out, double value);

// "%g" written at `at`, which has room for kWriteGRoom characters (more may be
// written than the count returned): for writers that build a line in place.
constexpr size_t kWriteGRoom = 16;
size_t WriteG(char* at, double value);

std::wstring WFormatD(long long value);
std::wstring WFormatG(double value);

// ASCII text (keys, formatted numbers) as wide text.
std::wstring WidenAscii(std::string_view ascii);

// Wide text as the parsers read it: anything beyond ASCII cannot be part of a
// number and becomes a byte that stops every parse.
std::string NarrowAscii(std::wstring_view text);

// The leading decimal integer after optional white space and sign, as atoi
// reads it; 0 when the text does not start with a number. Out-of-range values
// are clamped to the int range.
int ParseLeadingInt(std::string_view text);
int ParseLeadingInt(std::wstring_view text);

// The leading decimal floating-point number after optional white space, as
// atof reads it; 0 when there is none.
double ParseLeadingDouble(std::string_view text);
double ParseLeadingDouble(std::wstring_view text);

// ParseLeadingDouble for a stored value: one that is not finite becomes 0.
double ParseStoredDouble(std::string_view text);
double ParseStoredDouble(std::wstring_view text);

// One step of a scanf-style "%f" read into a single-precision number: skips
// white space, reads a number at `pos` and advances past it. False (pos
// unchanged) when no number stands there.
bool ScanFloat(std::string_view text, size_t& pos, float& value);

// The whole text (blanks around allowed) is one finite decimal number.
bool ParseWholeDouble(std::wstring_view text, double& value);

}  // namespace quenlo
