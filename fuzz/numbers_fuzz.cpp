// Numbers as the add-in's files carry them: a double formatted and parsed back
// is the same double within what the format keeps ("%.17g" all of it, "%g" six
// significant digits, "%f" six decimals), and the parsers read any text as the
// C library's conversions do in the "C" locale.
#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/numbers.h"
#include "fuzz_check.h"

namespace {

using namespace quenlo;

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void CheckFormats(double value) {
  if (!std::isfinite(value)) {
    // Nothing non-finite reaches a file: it is written as 0.
    FUZZ_CHECK(FormatG(value) == "0" && FormatF(value) == "0.000000");
    return;
  }
  std::string full = FormatGeneral(value, 17);
  FUZZ_CHECK(SameDouble(ParseLeadingDouble(full), value));
  double whole = 0;
  FUZZ_CHECK(ParseWholeDouble(std::wstring(full.begin(), full.end()), whole) && SameDouble(whole, value));

  std::string g = FormatG(value);
  double from_g = ParseLeadingDouble(g);
  FUZZ_CHECK(FormatG(from_g) == g);
  if (std::fabs(value) >= 1e-300) FUZZ_CHECK(std::fabs(from_g - value) <= 5e-6 * std::fabs(value));

  std::string f = FormatF(value);
  double from_f = ParseLeadingDouble(f);
  FUZZ_CHECK(std::fabs(from_f - value) <= 5e-7 + std::fabs(value) * DBL_EPSILON);
  FUZZ_CHECK(FormatF(from_f) == f);

  if (std::fabs(value) <= FLT_MAX) {
    float single = static_cast<float>(value);
    std::string nine = FormatGeneral(single, 9);
    size_t pos = 0;
    float scanned = 0;
    FUZZ_CHECK(ScanFloat(nine, pos, scanned) && pos == nine.size() && scanned == single);
  }
}

// Text made only of what a decimal number is written with, so that the C
// library's conversions (which also read hexadecimal, "inf" and "nan") are the
// reference.
bool DecimalText(const std::string& text) {
  for (char c : text)
    if (!std::strchr(" \t\n\v\f\r0123456789.eE+-", c) || c == '\0') return false;
  return true;
}

// Values below the normal range: the C library keeps a subnormal value where
// the add-in's parser may give 0; neither is a value anyone types.
bool SameParse(double ours, double reference) {
  if (std::fabs(ours) < DBL_MIN && std::fabs(reference) < DBL_MIN) return true;
  return SameDouble(ours, reference) || (ours == 0 && reference == 0);
}

void CheckText(const std::string& text) {
  // Every parser on any text: no crash, finite or infinite but never NaN.
  double leading = ParseLeadingDouble(text);
  FUZZ_CHECK(!std::isnan(leading) || text.find_first_of("nN") != std::string::npos);
  (void)ParseLeadingInt(text);
  size_t pos = 0;
  float single = 0;
  if (ScanFloat(text, pos, single)) FUZZ_CHECK(pos > 0 && pos <= text.size());
  else FUZZ_CHECK(pos == 0);
  double whole = 0;
  std::wstring wide(text.begin(), text.end());
  bool is_whole = ParseWholeDouble(wide, whole);
  if (is_whole) FUZZ_CHECK(std::isfinite(whole));

  if (!DecimalText(text)) return;
  FUZZ_CHECK(SameParse(leading, std::strtod(text.c_str(), nullptr)));
  long reference = std::strtol(text.c_str(), nullptr, 10);
  if (reference > INT_MAX) reference = INT_MAX;
  if (reference < INT_MIN) reference = INT_MIN;
  FUZZ_CHECK(ParseLeadingInt(text) == static_cast<int>(reference));
  char* end = nullptr;
  float single_reference = std::strtof(text.c_str(), &end);
  if (end != text.c_str()) {
    pos = 0;
    FUZZ_CHECK(ScanFloat(text, pos, single) && static_cast<long>(pos) == end - text.c_str());
    FUZZ_CHECK(SameParse(single, single_reference) ||
               (std::fabs(single) < FLT_MIN && std::fabs(single_reference) < FLT_MIN));
  } else {
    pos = 0;
    FUZZ_CHECK(!ScanFloat(text, pos, single));
  }
  if (is_whole) FUZZ_CHECK(SameParse(whole, std::strtod(text.c_str(), nullptr)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  CheckFormats(in.ConsumeFloatingPoint<double>());
  double bits = 0;
  if (in.remaining_bytes() >= sizeof bits) {
    auto raw = in.ConsumeBytes<unsigned char>(sizeof bits);
    std::memcpy(&bits, raw.data(), sizeof bits);
    CheckFormats(bits);
  }
  CheckText(in.ConsumeRemainingBytesAsString());
  return 0;
}
