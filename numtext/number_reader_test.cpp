#include "numtext/number_reader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "numtext/decimal_digits.h"
#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

using testing::FromLongDouble;
using testing::ToLongDouble;

const long double kTwoTo127 = std::ldexp(1.0L, 127);

struct ReadCase {
  const char* text;
  long double value;
};

void ExpectReads(const ReadCase& c) {
  const long double read = ToLongDouble(ReadNumber(c.text));
  EXPECT_EQ(read, c.value) << '"' << c.text << '"';
  EXPECT_EQ(std::signbit(read), std::signbit(c.value)) << '"' << c.text << '"';
}

TEST(ReadNumberTest, DecimalFormConsumesTheLongestNumber) {
  const ReadCase cases[] = {
      {"", 0},
      {"  16", 16},
      {"\t16", 16},
      {"\r16", 0},
      {"+16", 16},
      {"--16", 0},
      {"- 5", 0},
      {".", 0},
      {".5", 0.5L},
      {"-.5", -0.5L},
      {"5.", 5},
      {"12.5.3", 12.5L},
      {"3/4", 3},
      {"1,5", 1},
      {"1e3", 1000},
      {"1E+03", 1000},
      {"1d3", 1000},
      {"1D-2", 0.01L},
      {"1e", 1},
      {"1e+", 1},
      {"e5", 0},
      {"0x10", 0},
      {"12abc", 12},
      {"0.005", 0.005L},
      {"000123.4500", 123.45L},
      {"-0", -0.0L},
      {"-0.000e7", -0.0L},
  };
  for (const ReadCase& c : cases) ExpectReads(c);
}

TEST(ReadNumberTest, KeepsEighteenDigitsWithoutRounding) {
  const ReadCase cases[] = {
      {"1234567890123456789", 1234567890123456780.0L},
      {"1999999999999999999", 1999999999999999990.0L},
      {"12345678901234567890123", 12345678901234567800000.0L},
      {"0.00000000000000000000123456789012345678999", 123456789012345678.0L / 1e38L},
  };
  for (const ReadCase& c : cases) ExpectReads(c);
}

TEST(ReadNumberTest, ExponentsFoldAtTheExtendedRange) {
  const ReadCase cases[] = {
      {"1e5000", kTwoTo127},
      {"-1e5000", -kTwoTo127},
      {"1e-5000", 0},
      {"1e4932", kTwoTo127},  // the first digit already stands at 10^4932
      {"0.1e4933", kTwoTo127},
      {"9.99e4931", 999.0L * 1e4929L},
      {"1e-4932", 1.0L / 1e4932L},               // denormal, still one division
      {"1e-4933", 0},                            // 10^4933 itself is already infinite
      {"1e99999999999999999999999", kTwoTo127},  // capped, not wrapped
      {"1e-99999999999999999999999", 0},
      {"1e4000", 1e4000L},
      {"123456789e-30", 123456789.0L / 1e30L},
  };
  for (const ReadCase& c : cases) ExpectReads(c);
}

TEST(ReadNumberTest, RadixFormsFollowTheSuffixAndFirstDigit) {
  const ReadCase cases[] = {
      {"&H1F", 31},
      {"&17", 15},
      {"&O17", 15},
      {"&q17", 15},
      {"&B101", 5},
      {"&HFFFF", -1},
      {"&H0FFFF", 65535},
      {"&HFFFF&", 65535},
      {"&HFFFF?", 65535},
      {"&H8000", -32768},
      {"&H80000000", -2147483648.0L},
      {"&HFFFFFFFF", -1},
      {"&HFFFFFFFF&", -1},
      {"&HFFFFFFFF&&", 4294967295.0L},
      {"&H100000000", 4294967296.0L},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&HFFFFFFFFFFFFFFFF?", 0},
      {"&H7FFFFFFFFFFFFFFF?", 9223372036854775807.0L},
      {"&H10000000000000000", 0},  // 65 bits
      {"&", 0},
      {"&H", 0},
      {"&HZ", 0},
      {"&9", 0},
      {"-&H10", 0},
      {" \t&H10", 16},
  };
  for (const ReadCase& c : cases) ExpectReads(c);
}

TEST(PowerOfTenTest, MatchesTheCompilersCorrectlyRoundedConstants) {
  struct Case {
    int exponent;
    long double value;
  };
  const Case cases[] = {
      {0, 1e0L},       {1, 1e1L},       {13, 1e13L},     {27, 1e27L},     {28, 1e28L},
      {29, 1e29L},     {55, 1e55L},     {308, 1e308L},   {309, 1e309L},   {1000, 1e1000L},
      {2777, 1e2777L}, {4000, 1e4000L}, {4931, 1e4931L}, {4932, 1e4932L},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToLongDouble(PowerOfTen(c.exponent)), c.value) << c.exponent;
  EXPECT_TRUE(std::isinf(ToLongDouble(PowerOfTen(4933))));
  EXPECT_TRUE(std::isinf(ToLongDouble(PowerOfTen(5000))));
}

TEST(NarrowToFloatTest, RoundsToNearestEvenAndOverflowsToInfinity) {
  const float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    long double value;
    float expected;
  };
  const Case cases[] = {
      {0.1L, 0.1f},
      {0x1.000001p0L, 1.0f},                  // half way: stays even
      {0x1.000003p0L, 0x1.000004p0f},         // half way: goes up to even
      {0x1.0000010000001p0L, 0x1.000002p0f},  // just past half way
      {0x1.fffffefp127L, FLT_MAX},            // beyond FLT_MAX yet rounds to it
      {0x1.ffffffp127L, kInf},
      {-0x1.ffffffp127L, -kInf},
      {0x1p-150L, 0.0f},  // half the smallest denormal
      {0x1.8p-149L, 0x1p-148f},
      {-0.0L, -0.0f},
  };
  for (const Case& c : cases) {
    const float narrowed = NarrowToFloat(FromLongDouble(c.value));
    EXPECT_EQ(narrowed, c.expected) << static_cast<double>(c.value);
    EXPECT_EQ(std::signbit(narrowed), std::signbit(c.expected)) << static_cast<double>(c.value);
  }
  EXPECT_TRUE(
      std::isnan(NarrowToFloat(FromLongDouble(std::numeric_limits<long double>::quiet_NaN()))));
  EXPECT_EQ(NarrowToFloat(ReadNumber("0.5")), 0.5f);
}

}  // namespace
}  // namespace cog
