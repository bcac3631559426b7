#include "engine/tooth_limits.h"

#include <gtest/gtest.h>

#include <string>

namespace cog {
namespace {

TEST(ToothLimitsTest, FromCommandTail) {
  const struct {
    std::string tail;
    int min_teeth, max_teeth;
    bool notice;
  } cases[] = {
      {"", 16, 72, false},         {"    ", 16, 72, false},
      {"16 50", 16, 50, true},     {"  16   50  ", 16, 50, true},
      {"3 200", 6, 130, true},      // both clamped
      {"20", 20, 0, true},          // a lone parameter leaves MaxTeeth at 0
      {"300 72", 44, 72, true},     // 300 modulo 256
      {"-5 72", 251, 72, true},     // -5 as a byte is 251, not below the floor of 6
      {"\"20\" 40", 20, 40, true},  // quoted
      {"abc 72", 6, 72, true},      // not a number: 0, then the floor
      {"16.5 17.5", 16, 18, true},  // halves to even
      {"\t20 60", 20, 60, true},    // a TAB is not blank: the tail is not empty
      {"6 130", 6, 130, true},     {"5 131", 6, 130, true},
      {"256 386", 6, 130, true},  // 0 and 130 after the wrap
  };
  for (const auto& c : cases) {
    const StartupLimits s = LimitsFromCommandTail(c.tail);
    EXPECT_EQ(s.limits.MinTeeth, c.min_teeth) << "tail [" << c.tail << "]";
    EXPECT_EQ(s.limits.MaxTeeth, c.max_teeth) << "tail [" << c.tail << "]";
    EXPECT_EQ(s.from_command_line, c.notice) << "tail [" << c.tail << "]";
  }
}

TEST(ToothLimitsTest, FromParametersTakenVerbatim) {
  EXPECT_EQ(LimitsFromParameters("", "").MinTeeth, 6);
  EXPECT_EQ(LimitsFromParameters("", "").MaxTeeth, 0);
  EXPECT_EQ(LimitsFromParameters("-5", "72").MinTeeth, 251);
  EXPECT_EQ(LimitsFromParameters("20 21", "x").MinTeeth, 20);  // a blank ends the number
}

}  // namespace
}  // namespace cog
