#include "numtext/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "numtext/decimal_digits.h"
#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

using testing::FromLongDouble;
using testing::ToLongDouble;

TEST(ToByteTest, RoundsHalfToEvenThenKeepsTheLowByte) {
  const long double kNan = std::numeric_limits<long double>::quiet_NaN();
  const long double kInf = std::numeric_limits<long double>::infinity();
  struct Case {
    long double value;
    int byte;
  };
  const Case cases[] = {
      {16.5L, 16},       {17.5L, 18},         {300, 44},
      {256, 0},          {-1, 255},           {-0.5L, 0},
      {-1.5L, 254},      {255.5L, 0},         {std::ldexp(1.0L, 127), 0},
      {kNan, 0},         {kInf, 0},           {0x1p63L - 1, 255},
      {-0x1p63L + 1, 1}, {0x1p63L - 0.5L, 0},  // the last tie goes to 2^63, out of range
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToByte(FromLongDouble(c.value)), c.byte) << static_cast<double>(c.value);
  }
}

TEST(NumberTextTest, BlankOrMinusThenDigits) {
  struct Case {
    long long value;
    const char* text;
  };
  const Case cases[] = {
      {72, " 72"}, {0, " 0"},  {255, " 255"},
      {16, " 16"}, {-5, "-5"}, {-9223372036854775807LL - 1, "-9223372036854775808"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberText(c.value), c.text);
}

TEST(ExactDecimalTest, GivesEveryDigitOfTheBinaryValue) {
  struct Case {
    long double value;
    const char* head;
    const char* tail;
    std::size_t size;
    int point;
  };
  const Case cases[] = {
      {0.5L, "5", "5", 1, 0},
      {0.1L, "10000000000000000000135525", "4271392822265625", 67, 0},
      {0x1p-16445L, "3645199531882474602528405", "6845703125", 11495, -4950},
      {0x1p16383L, "5948657476786158825428796", "4982033408", 4932, 4932},
  };
  for (const Case& c : cases) {
    const DecimalExpansion exact = ExactDecimal(FromLongDouble(c.value));
    EXPECT_EQ(exact.digits.substr(0, std::string(c.head).size()), c.head);
    EXPECT_EQ(exact.digits.substr(exact.digits.size() - std::string(c.tail).size()), c.tail);
    EXPECT_EQ(exact.digits.size(), c.size);
    EXPECT_EQ(exact.point, c.point);
  }
  EXPECT_TRUE(ExactDecimal(FromLongDouble(0.0L)).digits.empty());
}

struct MaskCase {
  long double value;
  const char* ratio;    // "####.######"
  const char* gear;     // "####"
  const char* percent;  // "0.0000%"
};

void ExpectMasks(const MaskCase& c) {
  const double shown = static_cast<double>(c.value);
  EXPECT_EQ(FormatNumber(FromLongDouble(c.value), "####.######"), c.ratio) << shown;
  EXPECT_EQ(FormatNumber(FromLongDouble(c.value), "####"), c.gear) << shown;
  EXPECT_EQ(FormatNumber(FromLongDouble(c.value), "0.0000%"), c.percent) << shown;
}

TEST(FormatNumberTest, RendersFloatsThroughTheThreeMasks) {
  const MaskCase cases[] = {
      {0.5f, "0.5", "0", "50.0000%"},
      {1.234567891f, "1.234568", "1", "123.4568%"},
      {20.25f, "20.25", "20", "2025.0000%"},
      {20.0f, "20.", "20", "2000.0000%"},
      {0.0494f, "0.0494", "0", "4.9400%"},
      {0.000494f, "0.000494", "0", "0.0494%"},
      {12345.0f, "12345.", "12345", "1234500.0000%"},
      {0.0f, "0.", "0", "0.0000%"},
      {9.999999f, "9.999999", "10", "999.9999%"},
      {1.0f / 3.0f, "0.333333", "0", "33.3333%"},
      {99999.99f, "99999.992188", "100000", "9999999.2188%"},
      {1.5f, "1.5", "2", "150.0000%"},
      {2.5f, "2.5", "2", "250.0000%"},
      {-0.5f, "-0.5", "0", "-50.0000%"},
      {-0.000494f, "-0.000494", "0", "-0.0494%"},
      {-0.0000001f, "-0.", "0", "-0.0000%"},
      {-0.0f, "0.", "0", "0.0000%"},
      {-1.5f, "-1.5", "-2", "-150.0000%"},
      {-0.6f, "-0.6", "-1", "-60.0000%"},
      {0.99999994f, "1.", "1", "100.0000%"},
      {255.0f, "255.", "255", "25500.0000%"},
      {1e20f, "100000002004087734000.", "100000002004087734000", "10000000200408773400000.0000%"},
  };
  for (const MaskCase& c : cases) ExpectMasks(c);
}

TEST(FormatNumberTest, RoundsToEighteenDigitsBeforeTheMask) {
  const MaskCase cases[] = {
      // A hair below ...4575 is an exact half after 18 digits; 7 is odd, so up.
      {std::nextafter(0.1234575L, 0.0L), "0.123458", "0", "12.3458%"},
      // A hair above ...4565 becomes an exact half too, and 6 stays.
      {std::nextafter(0.1234565L, 1.0L), "0.123456", "0", "12.3456%"},
      {1000000000000000005.0L, "1000000000000000000.", "1000000000000000000",
       "100000000000000000000.0000%"},
      {1000000000000000015.0L, "1000000000000000020.", "1000000000000000020",
       "100000000000000002000.0000%"},
      {999999999999999999.5L, "1000000000000000000.", "1000000000000000000",
       "100000000000000000000.0000%"},
  };
  for (const MaskCase& c : cases) ExpectMasks(c);
}

TEST(FormatNumberTest, InfinityAndNan) {
  const long double kInf = std::numeric_limits<long double>::infinity();
  const std::string integer = std::string(19, '9') + std::string(980, '0');
  const std::string percent = std::string(19, '9') + std::string(982, '0') + ".0000%";
  const MaskCase cases[] = {
      {kInf, "", "", ""},
      {-kInf, "-", "-", "-"},
  };
  for (const MaskCase& c : cases) {
    EXPECT_EQ(FormatNumber(FromLongDouble(c.value), "####.######"), c.ratio + integer + ".");
    EXPECT_EQ(FormatNumber(FromLongDouble(c.value), "####"), c.gear + integer);
    EXPECT_EQ(FormatNumber(FromLongDouble(c.value), "0.0000%"), c.percent + percent);
  }
  EXPECT_EQ(FormatNumber(FromLongDouble(kInf), "0.0000%").size(), 1007u);
  EXPECT_EQ(FormatNumber(FromLongDouble(-kInf), "0.0000%").size(), 1008u);
  ExpectMasks({std::numeric_limits<long double>::quiet_NaN(), "0.", "0", "0.0000%"});
  ExpectMasks({-std::numeric_limits<long double>::quiet_NaN(), "0.", "0", "0.0000%"});
}

}  // namespace
}  // namespace cog
