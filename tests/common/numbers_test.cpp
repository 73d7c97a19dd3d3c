#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "common/numbers.h"

namespace quenlo {
namespace {

TEST(Numbers, FormatLikeCPrintf) {
  EXPECT_EQ(FormatG(123.456789), "123.457");
  EXPECT_EQ(FormatG(0.00001), "1e-05");
  EXPECT_EQ(FormatG(2500000), "2.5e+06");
  EXPECT_EQ(FormatG(100000), "100000");
  EXPECT_EQ(FormatG(0), "0");
  EXPECT_EQ(FormatG(-0.5), "-0.5");
  EXPECT_EQ(FormatG(1e300), "1e+300");
  EXPECT_EQ(FormatF(75), "75.000000");
  EXPECT_EQ(FormatF(-0.0000004), "-0.000000");
  EXPECT_EQ(FormatD(-42), "-42");
  EXPECT_EQ(FormatGeneral(0.1, 15), "0.1");
  EXPECT_EQ(FormatGeneral(1.0 / 3, 15), "0.333333333333333");
}

// No file ever carries inf or nan, and a stored value that is not finite
// reads as 0.
TEST(Numbers, NothingNonFiniteReachesAFileOrTheRecord) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatG(inf), "0");
  EXPECT_EQ(FormatG(-inf), "0");
  EXPECT_EQ(FormatG(std::nan("")), "0");
  EXPECT_EQ(FormatF(-inf), "0.000000");
  EXPECT_EQ(FormatF(std::nan("")), "0.000000");
  EXPECT_EQ(FormatG(1e308), "1e+308");
  for (const wchar_t* text : {L"inf", L"-inf", L"nan", L"1e400", L"-1e999x", L"INFINITY"})
    EXPECT_EQ(ParseStoredDouble(text), 0.0) << text;
  EXPECT_EQ(ParseStoredDouble(L" 2.5mm"), 2.5);
  EXPECT_EQ(ParseStoredDouble(L"1e39"), 1e39);  // a double: within range
}

// "%g" has a quick path for the common case; it must give what the exact
// conversion gives, including values that lie next to a rounding tie, at the
// switch to exponent form and across the whole range of doubles.
TEST(Numbers, QuickGeneralFormMatchesTheExactConversion) {
  auto expect_same = [](double value) {
    if (!std::isfinite(value)) return;  // written as 0, tested above
    ASSERT_EQ(FormatG(value), FormatGeneral(value, 6)) << value;
  };
  std::mt19937_64 random(10);
  for (int i = 0; i < 100000; ++i) {
    uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    expect_same(value);
  }
  for (int i = -50000; i < 50000; ++i) {
    expect_same(i / 7.0);
    expect_same(i * 0.0005);          // ties at the sixth digit
    expect_same(i * 1e-7 + 5e-7);
    expect_same(i * 12.5);
  }
  for (int exponent = -310; exponent <= 308; ++exponent) {
    for (double mantissa : {1.0, 1.5, 9.999995, 9.9999949, 9.9999951, 1.000005, 1.0000049, 1.0000051, 5.0}) {
      expect_same(mantissa * std::pow(10.0, exponent));
      expect_same(-mantissa * std::pow(10.0, exponent));
    }
  }
  expect_same(-0.0);
  expect_same(std::numeric_limits<double>::denorm_min());
  expect_same(std::numeric_limits<double>::max());
}

// "%f" has a quick path too: the same comparison, around the ties at the
// seventh decimal and at the edge of the quick range.
TEST(Numbers, QuickFixedFormMatchesTheExactConversion) {
  auto expect_same = [](double value) {
    std::string text;
    AppendF(text, value);
    char exact[400];
    char* end = std::to_chars(exact, exact + sizeof exact, value, std::chars_format::fixed, 6).ptr;
    ASSERT_EQ(text, std::string(exact, static_cast<size_t>(end - exact))) << value;
  };
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> spread(-2e7, 2e7);
  for (int i = 0; i < 100000; ++i) {
    expect_same(spread(random));
    expect_same(spread(random) * 1e-6);
  }
  for (int i = -50000; i < 50000; ++i) {
    expect_same(i * 5e-7);  // ties at the seventh decimal
    expect_same(i * 1e-7);
    expect_same(9999999.9999995 + i * 1e-9);
    expect_same(i / 3.0);
  }
  expect_same(-0.0);
  expect_same(-0.0000004);
  expect_same(1e7);
  expect_same(-9999999.999999);
  expect_same(std::numeric_limits<double>::denorm_min());
}

TEST(Numbers, IgnoreTheProcessLocale) {
  // A host may run with a locale whose decimal separator is a comma.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "French");
  EXPECT_EQ(FormatG(12.5), "12.5");
  EXPECT_EQ(ParseLeadingDouble("12.5"), 12.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Numbers, ParseLeadingNumbersAsTheCRuntimeDoes) {
  EXPECT_EQ(ParseLeadingInt("  -12abc"), -12);
  EXPECT_EQ(ParseLeadingInt("+7"), 7);
  EXPECT_EQ(ParseLeadingInt("abc"), 0);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("99999999999999"), std::numeric_limits<int>::max());
  EXPECT_EQ(ParseLeadingDouble(" 1.5e3xyz"), 1500);
  EXPECT_EQ(ParseLeadingDouble("-.25"), -0.25);
  EXPECT_EQ(ParseLeadingDouble("1e-05"), 1e-05);
  EXPECT_EQ(ParseLeadingDouble("x1"), 0);
  EXPECT_EQ(ParseLeadingDouble("+-1"), 0);
  EXPECT_TRUE(std::isinf(ParseLeadingDouble("1e400")));
  EXPECT_EQ(ParseLeadingDouble("1e-400"), 0);
  // Exponents of more digits than an integer holds.
  EXPECT_EQ(ParseLeadingDouble("164e-99999999999999999999999"), 0);
  EXPECT_EQ(ParseLeadingDouble("-1e-99999999999999999999999"), 0);
  EXPECT_TRUE(std::isinf(ParseLeadingDouble("0.001e99999999999999999999999")));
  // Exponents that an integer just holds, with digits to add to them.
  EXPECT_TRUE(std::isinf(ParseLeadingDouble("6000e9223372036854775807")));
  EXPECT_EQ(ParseLeadingDouble("0.0006e-9223372036854775808"), 0);
  size_t pos = 0;
  float single = 1;
  EXPECT_TRUE(ScanFloat("1e-99999999999999999999 ", pos, single));
  EXPECT_EQ(single, 0.0f);
  // What follows a number too small to hold is not its exponent.
  pos = 0;
  EXPECT_TRUE(ScanFloat("0.00000000000000000000000000000000000000000000000006.e81", pos, single));
  EXPECT_EQ(single, 0.0f);
  EXPECT_EQ(pos, 52u);
  EXPECT_EQ(ParseLeadingDouble("0." + std::string(400, '0') + "1.e500"), 0);
  EXPECT_EQ(ParseLeadingDouble(L"２"), 0);  // a full-width digit is no number
}

TEST(Numbers, ScanFloatReadsSinglePrecision) {
  size_t pos = 0;
  float value = 0;
  ASSERT_TRUE(ScanFloat(" 0.1 2", pos, value));
  EXPECT_EQ(static_cast<double>(value), static_cast<double>(0.1f));
  EXPECT_EQ(pos, 4u);
  ASSERT_TRUE(ScanFloat(" 0.1 2", pos, value));
  EXPECT_EQ(value, 2.0f);
  EXPECT_FALSE(ScanFloat(" 0.1 2", pos, value));
  pos = 0;
  EXPECT_FALSE(ScanFloat("abc", pos, value));
  EXPECT_EQ(pos, 0u);
}

TEST(Numbers, WholeDoubleRefusesWhatIsNotOneFiniteNumber) {
  double v = 0;
  EXPECT_TRUE(ParseWholeDouble(L" 12.5 ", v));
  EXPECT_EQ(v, 12.5);
  EXPECT_TRUE(ParseWholeDouble(L"-0", v));
  for (const wchar_t* bad : {L"", L" ", L"abc", L"1,5", L"1e400", L"inf", L"nan", L"1 2", L"12x"}) {
    v = 7;
    EXPECT_FALSE(ParseWholeDouble(bad, v)) << "accepted: " << bad;
    EXPECT_EQ(v, 7);
  }
}

}  // namespace
}  // namespace quenlo
