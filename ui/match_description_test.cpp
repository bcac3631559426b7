#include "ui/match_description.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/test_tables.h"

namespace cog {
namespace {

RatioEntry E(float ratio, int g1, int g2, int g3, int g4) {
  return {ratio,
          static_cast<std::uint8_t>(g1),
          static_cast<std::uint8_t>(g2),
          static_cast<std::uint8_t>(g3),
          static_cast<std::uint8_t>(g4),
          0};
}

// The six texts in the dialog's order, tab-separated.
std::string Texts(const MatchDescription& m) {
  std::string s = m.actual_ratio;
  for (const std::string& gear : m.gears) s += "\t" + gear;
  return s + "\t" + m.error;
}

TEST(MatchDescriptionTest, TextsAndGreyPairs) {
  const struct {
    RatioEntry entry;
    float target;
    std::string texts;
    GreyPair grey;
  } cases[] = {
      // The zero slot: no train, the error fixed whatever the target.
      {E(0, 0, 0, 0, 0), 0.5f, "0.\t0\t0\t0\t0\t999.9999%", GreyPair::kFirst},
      {E(0, 0, 0, 0, 0), 0, "0.\t0\t0\t0\t0\t999.9999%", GreyPair::kFirst},
      // 1 - 0.5 / 0.625 = 0.2; 1 - 0.5 / 0.4 = -0.25.
      {E(0.625f, 20, 32, 30, 30), 0.5f, "0.625\t20\t32\t30\t30\t20.0000%", GreyPair::kSecond},
      {E(0.4f, 16, 40, 20, 20), 0.5f, "0.4\t16\t40\t20\t20\t-25.0000%", GreyPair::kSecond},
      {E(20.25f, 72, 16, 72, 16), 20.25f, "20.25\t72\t16\t72\t16\t0.0000%", GreyPair::kNone},
      // 19/59 x 23/60 = 0.1234463..., 1 - 0.12345 / 0.1234463 = -0.00003.
      {E(0.12344633f, 19, 59, 23, 60), 0.12345f, "0.123446\t19\t59\t23\t60\t-0.0030%",
       GreyPair::kNone},
      // Both pairs 1:1: only the first is grey.
      {E(1, 25, 25, 40, 40), 1, "1.\t25\t25\t40\t40\t0.0000%", GreyPair::kFirst},
      {E(0.5f, 36, 72, 19, 19), 0.5f, "0.5\t36\t72\t19\t19\t0.0000%", GreyPair::kSecond},
      // A target of 0 (what text without a number reads as) is 100% below.
      {E(0.5f, 36, 72, 19, 19), 0, "0.5\t36\t72\t19\t19\t100.0000%", GreyPair::kSecond},
      {E(0.5f, 36, 72, 19, 19), 2, "0.5\t36\t72\t19\t19\t-300.0000%", GreyPair::kSecond},
  };
  for (const auto& c : cases) {
    const MatchDescription m = DescribeMatch(c.entry, MatchErrorOf(c.entry, c.target));
    EXPECT_EQ(Texts(m), c.texts) << c.texts;
    EXPECT_EQ(m.grey, c.grey) << c.texts;
  }
}

TEST(MatchDescriptionTest, ErrorIsRoundedToFloatOnceFromExtendedPrecision) {
  // In float, 0.5f / 0.625f and then 1 - 0.8f would give 0.19999999f.
  EXPECT_EQ(MatchErrorOf(E(0.625f, 20, 32, 30, 30), 0.5f), 0.2f);
  EXPECT_EQ(MatchErrorOf(E(0, 0, 0, 0, 0), 0.5f), 9.999999f);
}

TEST(MatchDescriptionTest, HugeTargetGivesAnInfiniteError) {
  const RatioEntry e = E(0.0625f, 16, 64, 16, 64);
  const std::string error = DescribeMatch(e, MatchErrorOf(e, 1e38f)).error;
  // Nineteen nines, then zeros, 1001 integer digits in all, and a minus sign.
  EXPECT_EQ(error.size(), 1008u);
  EXPECT_EQ(error.substr(0, 20), "-9999999999999999999");
  EXPECT_EQ(error.substr(error.size() - 7), "0.0000%");
}

// Every entry of a built table against what the table build itself recorded:
// a single entry (one pair 1:1) has a grey pair and no other entry does, each
// gear reads as its tooth count, and only the zero slot has no gear train.
TEST(MatchDescriptionTest, EveryEntryOfATableAgreesWithItsSingleFlag) {
  const RatioTables tables = testing::BuildTables(16, 30);
  const EntryTable& t = tables.RatioTable;
  for (std::int64_t i = 1; i <= t.TopIndex(); ++i) {
    const RatioEntry e = t[i];
    ASSERT_TRUE(HasGearTrain(e)) << i;
    const MatchDescription m = DescribeMatch(e, MatchErrorOf(e, e.Ratio));
    ASSERT_EQ(m.grey != GreyPair::kNone, e.IsSingle == 1) << i;
    if (m.grey == GreyPair::kFirst) {
      ASSERT_EQ(e.Gear1, e.Gear2) << i;
    } else if (m.grey == GreyPair::kSecond) {
      ASSERT_TRUE(e.Gear1 != e.Gear2 && e.Gear3 == e.Gear4) << i;
    }
    const int gears[] = {e.Gear1, e.Gear2, e.Gear3, e.Gear4};
    for (int k = 0; k < 4; ++k) ASSERT_EQ(m.gears[k], std::to_string(gears[k])) << i;
    ASSERT_EQ(m.error, "0.0000%") << i;  // the entry's own ratio as the target
  }
  EXPECT_FALSE(HasGearTrain(t[0]));
}

}  // namespace
}  // namespace cog
