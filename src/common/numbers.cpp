#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace quenlo {
namespace {

void AppendChars(std::string& out, double value, std::chars_format format, int precision) {
  char buffer[400];  // "%f" of the largest double has 309 integer digits
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  out.append(buffer, result.ptr);
}

std::string ToChars(double value, std::chars_format format, int precision) {
  std::string text;
  AppendChars(text, value, format, precision);
  return text;
}

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr long long kHugeExponent = 1LL << 60;

// Where a decimal number beyond the range of the target type lies: true for
// an overflow (a huge magnitude), false for an underflow (a tiny one).
bool IsOverflow(std::string_view digits) {
  long long int_digits = 0;    // significant digits before the point
  long long lead_zeros = 0;    // zeros after the point before the first digit
  bool seen_nonzero = false, after_point = false;
  size_t i = 0;
  for (; i < digits.size(); ++i) {
    char c = digits[i];
    if (c == '.') { after_point = true; continue; }
    if (!IsDigit(c)) break;
    if (c != '0') seen_nonzero = true;
    if (!after_point && seen_nonzero) ++int_digits;
    if (after_point && !seen_nonzero) ++lead_zeros;
  }
  long long exponent = 0;
  if (i + 1 < digits.size() && (digits[i] == 'e' || digits[i] == 'E')) {
    size_t start = i + 1 + (digits[i + 1] == '+' ? 1 : 0);
    auto result = std::from_chars(digits.data() + start, digits.data() + digits.size(), exponent);
    // An exponent of more digits than any integer holds still has its sign.
    if (result.ec == std::errc::result_out_of_range) exponent = digits[start] == '-' ? -kHugeExponent : kHugeExponent;
    // Far beyond any double either way, and room left to add the digit counts.
    exponent = std::clamp(exponent, -kHugeExponent, kHugeExponent);
  }
  long long magnitude = int_digits > 0 ? int_digits + exponent : exponent - lead_zeros;
  return magnitude > 0;
}

// Reads a number of type T at the start of `text` (sign and all, no leading
// white space). Returns the count of characters used, 0 when none.
template <typename T>
size_t ParseNumber(std::string_view text, T& value) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  std::string_view rest = text.substr(pos);
  if (rest.empty() || rest[0] == '+' || rest[0] == '-') return 0;
  T parsed{};
  auto result = std::from_chars(rest.data(), rest.data() + rest.size(), parsed);
  if (result.ptr == rest.data()) return 0;
  if (result.ec == std::errc::result_out_of_range) {
    // Judged by the number alone: what follows it (".e81" after "1e-50") is no exponent of it.
    std::string_view number = rest.substr(0, static_cast<size_t>(result.ptr - rest.data()));
    parsed = IsOverflow(number) ? std::numeric_limits<T>::infinity() : T(0);
  }
  value = negative ? -parsed : parsed;
  return pos + static_cast<size_t>(result.ptr - rest.data());
}

double FiniteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

// Two decimal digits of each number below 100.
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// "%g" of a finite value other than zero whose six significant digits come
// out of one rounding in double arithmetic, written to `text` (room for 16
// characters); returns the count written, or 0 to leave the value to the exact
// conversion. The text may be written beyond the count, within the 16
// characters. The value scaled to six integer digits is off by at most 1e-9
// in double, so unless its fraction lies within 1e-6 of one half, rounding the
// double rounds the exact value the same way. The profiles of a tool file are
// tens of thousands of such numbers, which the exact conversion alone would
// spend most of the file's time on.
size_t QuickG(double value, uint64_t bits, char* text) {
  // Powers of ten from 1e-16 to 1e22: exact from 1e0 up, nearly exact below
  // (those only find the decimal exponent; a guess one off fails the range
  // check below, or gives the same text).
  static constexpr double kPowers[] = {1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7,
                                       1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,  1e2,  1e3,
                                       1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11, 1e12, 1e13,
                                       1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21, 1e22};
  constexpr int kOne = 16;  // the index of 1e0
  // The decimal exponent of the leading digit. The magnitude lies in
  // [2^(binary-1), 2^binary), less than a decade, so the floor of
  // (binary-1)·log10(2) (log10(2) is about 78913 / 2^18; the shift floors, as
  // an arithmetic shift on every compiler that builds this) is the exponent or
  // one less.
  const double magnitude = std::fabs(value);
  const int binary = static_cast<int>((bits >> 52) & 0x7FF) - 1022;  // as frexp gives it; a subnormal fails below
  int exponent = ((binary - 1) * 78913) >> 18;
  if (exponent < -16 || exponent > 15) return 0;
  exponent += magnitude >= kPowers[kOne + exponent + 1];
  if (exponent < -15 || exponent > 15) return 0;
  const int shift = 5 - exponent;  // from -10 to 20: both powers exact
  const double scaled = shift >= 0 ? magnitude * kPowers[kOne + shift] : magnitude / kPowers[kOne - shift];
  // Below two million here, so the conversion to int truncates exactly as
  // floor would.
  if (!(scaled < 2e6)) return 0;
  const int whole = static_cast<int>(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) < 1e-6) return 0;
  const unsigned rounded = static_cast<unsigned>(whole) + (fraction > 0.5);
  if (rounded - 100000 > 899999) return 0;  // the exponent guess was off by one

  // Six digits, two at a time, then the text around them; `used` counts the
  // significant digits without the trailing zeros, which "%g" drops.
  const unsigned high = rounded / 10000, rest = rounded - high * 10000, middle = rest / 100, low = rest - middle * 100;
  char digits[16];  // six digits, then room for the fixed-size moves below
  std::memcpy(digits, kPairs + 2 * high, 2);
  std::memcpy(digits + 2, kPairs + 2 * middle, 2);
  std::memcpy(digits + 4, kPairs + 2 * low, 2);
  std::memset(digits + 6, 0, 10);
  const int used = low      ? 6 - (low % 10 == 0)
                   : middle ? 4 - (middle % 10 == 0)
                            : 2 - (high % 10 == 0);
  char* p = text;
  *p = '-';
  p += value < 0;
  if (exponent < -4 || exponent >= 6) {
    *p++ = digits[0];
    if (used > 1) {
      *p++ = '.';
      std::memcpy(p, digits + 1, 5);
      p += used - 1;
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    std::memcpy(p, kPairs + 2 * (exponent < 0 ? -exponent : exponent), 2);  // below 16 here
    p += 2;
  } else if (exponent >= 0) {
    // The integer digits, the point, the rest, each copied in one fixed-size
    // move (what lies past the digits is written but not counted).
    std::memcpy(p, digits, 8);
    p += exponent + 1;
    *p = '.';
    std::memcpy(p + 1, digits + exponent + 1, 8);
    p += used > exponent + 1 ? used - exponent : 0;
  } else {
    // "0." and the zeros before the digits (at most three), in one move.
    std::memcpy(p, "0.000", 5);
    p += 1 - exponent;
    std::memcpy(p, digits, 6);
    p += used;
  }
  return static_cast<size_t>(p - text);
}

// "%.6f" of a finite value below 1e7 in magnitude, appended to `out`; false
// to leave the value to the exact conversion. The value scaled by 1e6 lies
// below 2^44, where one rounding of the product is off by at most 0.001, so
// unless its fraction lies within 0.002 of one half, rounding it rounds the
// exact value the same way. The offsets and tool lengths of a tool file are
// written this way, a thousand of them and more.
bool QuickF(std::string& out, double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e7)) return false;
  const double scaled = magnitude * 1e6;
  const auto whole = static_cast<uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) < 0.002) return false;
  const uint64_t rounded = whole + (fraction > 0.5);
  const auto integer = static_cast<unsigned>(rounded / 1000000);
  const auto decimals = static_cast<unsigned>(rounded % 1000000);
  char text[24];  // sign, eight integer digits, point, six decimals
  char* p = text;
  *p = '-';
  p += std::signbit(value);  // "-0.000000" for a negative value that rounds to zero, as printf writes it
  p = std::to_chars(p, text + sizeof text, integer).ptr;
  *p++ = '.';
  std::memcpy(p, kPairs + 2 * (decimals / 10000), 2);
  std::memcpy(p + 2, kPairs + 2 * (decimals / 100 % 100), 2);
  std::memcpy(p + 4, kPairs + 2 * (decimals % 100), 2);
  out.append(text, static_cast<size_t>(p + 6 - text));
  return true;
}

size_t SkipSpace(std::string_view text, size_t pos) {
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  return pos;
}

}  // namespace

std::string NarrowAscii(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) out.push_back(static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '\x01');
  return out;
}

void AppendD(std::string& out, long long value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}
void AppendF(std::string& out, double value) {
  value = FiniteOrZero(value);
  if (!QuickF(out, value)) AppendChars(out, value, std::chars_format::fixed, 6);
}
size_t WriteG(char* at, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  if ((bits & 0x7FF0000000000000u) == 0x7FF0000000000000u) bits = 0;  // not finite: written as 0
  if ((bits << 1) == 0) {  // zero, "-0" when negative
    *at = '-';
    at[bits != 0] = '0';
    return bits != 0 ? 2 : 1;
  }
  if (size_t length = QuickG(value, bits, at)) return length;
  // At most "-1.23457e-308": 13 characters.
  return static_cast<size_t>(std::to_chars(at, at + kWriteGRoom, value, std::chars_format::general, 6).ptr - at);
}

std::string FormatD(long long value) {
  std::string text;
  AppendD(text, value);
  return text;
}
std::string FormatF(double value) {
  std::string text;
  AppendF(text, value);
  return text;
}
std::string FormatG(double value) {
  char text[kWriteGRoom];
  return std::string(text, WriteG(text, value));
}
std::string FormatGeneral(double value, int digits) {
  return ToChars(value, std::chars_format::general, digits);
}

std::wstring WidenAscii(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring WFormatD(long long value) { return WidenAscii(FormatD(value)); }
std::wstring WFormatG(double value) {
  char text[kWriteGRoom];
  return std::wstring(text, text + WriteG(text, value));
}

int ParseLeadingInt(std::string_view text) {
  size_t pos = SkipSpace(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  long long value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = value * 10 + (text[pos] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}
int ParseLeadingInt(std::wstring_view text) { return ParseLeadingInt(NarrowAscii(text)); }

double ParseLeadingDouble(std::string_view text) {
  double value = 0;
  if (ParseNumber(text.substr(SkipSpace(text, 0)), value) == 0) return 0;
  return value;
}
double ParseLeadingDouble(std::wstring_view text) { return ParseLeadingDouble(NarrowAscii(text)); }
double ParseStoredDouble(std::string_view text) { return FiniteOrZero(ParseLeadingDouble(text)); }
double ParseStoredDouble(std::wstring_view text) { return FiniteOrZero(ParseLeadingDouble(text)); }

bool ScanFloat(std::string_view text, size_t& pos, float& value) {
  size_t start = SkipSpace(text, pos);
  // A lone "0", most numbers of a stored row (the rows nobody uses).
  if (start < text.size() && text[start] == '0' && (start + 1 == text.size() || text[start + 1] == ' ')) {
    value = 0;
    pos = start + 1;
    return true;
  }
  float parsed = 0;
  size_t used = ParseNumber(text.substr(start), parsed);
  if (used == 0) return false;
  value = parsed;
  pos = start + used;
  return true;
}

bool ParseWholeDouble(std::wstring_view wide, double& value) {
  std::string text = NarrowAscii(wide);
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  double parsed = 0;
  size_t used = ParseNumber(std::string_view(text).substr(pos), parsed);
  if (used == 0 || !std::isfinite(parsed)) return false;
  pos += used;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos != text.size()) return false;
  value = parsed;
  return true;
}

}  // namespace quenlo
