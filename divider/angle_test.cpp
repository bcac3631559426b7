#include "divider/angle.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

TEST(AngleTest, ReadsEveryWayOfWritingAnAngle) {
  const struct {
    const char* text;
    Fraction degrees;
  } cases[] = {
      {"7.5deg", {15, 2}},
      {"7\xC2\xB0"
       "30'",
       {15, 2}},
      {"7d30m", {15, 2}},
      {"7\xC2\xB0"
       "30'15\"",
       {1801, 240}},  // 27015 seconds
      {"7\xC2\xB0"
       "30\xE2\x80\xB2"
       "15\xE2\x80\xB3",
       {1801, 240}},
      {"7d30m15s", {1801, 240}},
      {"7d30m15.5s", {54031, 7200}},
      {"359d59m59s", {1295999, 3600}},
      {"0d0m1s", {1, 3600}},
      {"45d15s", {10801, 240}},  // seconds straight after degrees
      // As drawings write them: a blank after a mark, minutes or seconds alone.
      {"7\xC2\xB0 30\xE2\x80\xB2", {15, 2}},
      {"7d 30m 15s", {1801, 240}},
      {"30\xE2\x80\xB2", {1, 2}},
      {"30'", {1, 2}},
      {"45\"", {1, 80}},
      {"1'30\"", {1, 40}},
  };
  for (const auto& c : cases) {
    Fraction got;
    const Status read = ReadAngle(c.text, &got);
    ASSERT_TRUE(read.ok()) << c.text << ": " << read.why();
    EXPECT_EQ(got, c.degrees) << c.text;
  }
}

TEST(AngleTest, RefusesWithOneClearMessage) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"360deg", "\"360deg\" is not above 0 and below 360 degrees"},
      {"0d", "\"0d\" is not above 0 and below 360 degrees"},
      {"7d60m", "\"7d60m\": minutes must be below 60"},
      {"7d30m60s", "\"7d30m60s\": seconds must be below 60"},
      {"7.5d30m", "\"7.5d30m\": only the last part of an angle may have a decimal point"},
      {"7.5",
       "\"7.5\" is neither a number of divisions nor an angle (write an angle as 7.5deg, "
       "7\xC2\xB0"
       "30' or 7d30m15s)"},
      {"7m30d",
       "\"7m30d\" is not an angle: degrees come first (7d or 7\xC2\xB0), then minutes "
       "(30m or 30'), then seconds (15s or 15\")"},
      {"7d30s15m",
       "\"7d30s15m\" is not an angle: degrees come first (7d or 7\xC2\xB0), then "
       "minutes (30m or 30'), then seconds (15s or 15\")"},
      {" 7d",
       "\" 7d\" is neither a number of divisions nor an angle (write an angle as 7.5deg, "
       "7\xC2\xB0"
       "30' or 7d30m15s)"},
      {"7d 30",
       "\"7d 30\" is not an angle: degrees come first (7d or 7\xC2\xB0), then minutes "
       "(30m or 30'), then seconds (15s or 15\")"},
      {"-7d",
       "\"-7d\" is neither a number of divisions nor an angle (write an angle as 7.5deg, "
       "7\xC2\xB0"
       "30' or 7d30m15s)"},
  };
  for (const auto& c : cases) {
    Fraction got;
    const Status read = ReadAngle(c.text, &got);
    EXPECT_FALSE(read.ok()) << c.text;
    EXPECT_EQ(read.why(), c.error);
  }
}

TEST(AngleTest, NamesAnglesInDegreesMinutesSeconds) {
  EXPECT_EQ(AngleText(Fraction{15, 2}),
            "7\xC2\xB0"
            "30'");
  EXPECT_EQ(AngleText(Fraction{1801, 240}),
            "7\xC2\xB0"
            "30'15\"");
  EXPECT_EQ(AngleText(Fraction{10801, 240}),
            "45\xC2\xB0"
            "0'15\"");
}

}  // namespace
}  // namespace cog
