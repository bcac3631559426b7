#include "engine/table_walk.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/test_tables.h"

namespace cog {
namespace {

using testing::BuildTables;
using testing::DefaultTables;
using testing::RatioOf;

constexpr Direction kHigher = Direction::kHigher;
constexpr Direction kLower = Direction::kLower;

std::string Gears(const RatioEntry& e) {
  return std::to_string(e.Gear1) + "," + std::to_string(e.Gear2) + "," + std::to_string(e.Gear3) +
         "," + std::to_string(e.Gear4);
}

struct Step {
  Direction direction;
  bool single, even;
  std::int32_t index;  // where the walk stops
  bool display;
};

// Runs the steps one after the other, each from where the last one stopped.
void RunSteps(const EntryTable& table, std::int32_t start, std::initializer_list<Step> steps) {
  std::int32_t index = start;
  int n = 0;
  for (const Step& s : steps) {
    const WalkResult r = WalkTable(table, index, s.direction, {s.single, s.even});
    EXPECT_EQ(r.index, s.index) << "step " << n;
    EXPECT_EQ(r.display, s.display) << "step " << n;
    index = r.index;
    ++n;
  }
}

TEST(TableWalkTest, Limits20To21) {
  const RatioTables tables = BuildTables(20, 21);  // rows listed in ratio_table_test
  const EntryTable& t = tables.RatioTable;
  const std::int32_t top = 10;
  // Plain walk: one entry per press; off the ends nothing is shown.
  RunSteps(t, 0, {{kLower, 0, 0, 0, false}, {kHigher, 0, 0, 1, true}, {kHigher, 0, 0, 2, true}});
  RunSteps(t, 9,
           {{kHigher, 0, 0, top, true}, {kHigher, 0, 0, top, false}, {kLower, 0, 0, 9, true}});
  // Even teeth: 21 is odd, so only 20,20,20,20 qualifies; the top entry does not,
  // so Higher from it parks the index at the top without showing anything.
  RunSteps(t, 0,
           {{kHigher, 0, 1, 5, true},
            {kHigher, 0, 1, top, false},
            {kLower, 0, 1, 5, true},
            {kLower, 0, 1, 0, true},
            {kLower, 0, 1, 0, false}});
  // Single ratios: 2 (working pair 20:21), then 3 has the same working pair and
  // 5..7 are two 1:1 pairs, so 8; 9 repeats 8's working pair; the top end shows.
  RunSteps(t, 0,
           {{kHigher, 1, 0, 2, true},
            {kHigher, 1, 0, 8, true},
            {kHigher, 1, 0, top, true},
            {kHigher, 1, 0, top, true}});
  // Downwards the zero slot is passed over, then shown as the end.
  RunSteps(t, 3, {{kLower, 1, 0, 0, true}});
  // Single and even: nothing qualifies, both ends are shown.
  RunSteps(t, 5, {{kHigher, 1, 1, top, true}, {kLower, 1, 1, 0, true}});
}

TEST(TableWalkTest, DefaultLimitEnds) {
  const EntryTable& t = DefaultTables().RatioTable;
  const std::int32_t top = 5279625;
  RunSteps(t, 0, {{kHigher, 0, 0, 1, true}, {kLower, 0, 0, 0, true}, {kLower, 0, 0, 0, false}});
  RunSteps(t, top, {{kHigher, 0, 0, top, false}, {kHigher, 0, 1, top, false}});
  // 72 and 16 are even: Higher with even teeth ends on the top entry at the latest.
  EXPECT_EQ(WalkTable(t, top - 1, kHigher, {false, true}).index, top);
  EXPECT_TRUE(WalkTable(t, top - 1, kHigher, {false, true}).display);
}

TEST(TableWalkTest, DefaultLimitSingleRatios) {
  const EntryTable& t = DefaultTables().RatioTable;
  const std::int32_t top = 5279625;

  const WalkResult first = WalkTable(t, 0, kHigher, {true, false});
  const RatioEntry& e1 = t[first.index];
  EXPECT_EQ(e1.Gear1, 16);
  EXPECT_EQ(e1.Gear2, 72);
  EXPECT_EQ(e1.Gear3, e1.Gear4) << Gears(e1);

  // The other 56 entries of working pair 16:72 are passed over.
  const WalkResult second = WalkTable(t, first.index, kHigher, {true, false});
  const RatioEntry& e2 = t[second.index];
  EXPECT_EQ(Gears(e2).substr(0, 6), "16,71,") << Gears(e2);
  EXPECT_EQ(e2.Gear3, e2.Gear4);
  EXPECT_GT(second.index - first.index, 56);

  // From the lowest single entry down, the zero slot is the end and is shown.
  const WalkResult down = WalkTable(t, first.index, kLower, {true, false});
  EXPECT_EQ(down.index, 0);
  EXPECT_TRUE(down.display);

  // From the highest single ratio, 72:16 (4.5), up to the top, shown, twice.
  std::int32_t i = top;
  while (!(t[i].IsSingle && t[i].Gear1 == t[i].Gear2 && t[i].Gear3 == 72 && t[i].Gear4 == 16)) --i;
  EXPECT_EQ(RatioOf(t[i]), 4.5f);
  const WalkResult up = WalkTable(t, i, kHigher, {true, false});
  EXPECT_EQ(up.index, top);
  EXPECT_TRUE(up.display);
  EXPECT_EQ(WalkTable(t, top, kHigher, {true, false}).index, top);
}

RatioEntry E(float ratio, int g1, int g2, int g3, int g4) {
  const bool single = g1 == g2 || g3 == g4;
  return {ratio,
          static_cast<std::uint8_t>(g1),
          static_cast<std::uint8_t>(g2),
          static_cast<std::uint8_t>(g3),
          static_cast<std::uint8_t>(g4),
          static_cast<std::uint8_t>(single)};
}

TEST(TableWalkTest, SingleWalkComparesPositionsWithTheStartEntryOnly) {
  using testing::MakeTable;
  const EntryTable t = MakeTable({
      E(0, 0, 0, 0, 0), E(0.43f, 20, 40, 30, 35),  // 1: not single
      E(0.5f, 20, 40, 19, 19),                     // 2: same first pair as the start entry
      E(0.5f, 20, 40, 20, 20),                     // 3
      E(0.5f, 30, 60, 19, 19),                     // 4: another working pair of the same ratio
      E(0.5f, 20, 40, 21, 21),                     // 5: interleaved: shown again after 4
      E(0.5f, 19, 19, 20, 40),                     // 6: working pair in the second position
      E(1.0f, 20, 20, 30, 30),                     // 7: two 1:1 pairs, never accepted
      E(2.0f, 40, 20, 30, 35),                     // 8: top, not single
  });
  // 1 -> 4 (2, 3 repeat 20:40 in the start's positions) -> 5 (differs from 4's)
  // -> 6 -> top, shown although it is not single.
  RunSteps(t, 1,
           {{kHigher, 1, 0, 4, true},
            {kHigher, 1, 0, 5, true},
            {kHigher, 1, 0, 6, true},
            {kHigher, 1, 0, 8, true}});
  // Even teeth: 19 and 21 are odd, 3 is the only even single entry.
  RunSteps(t, 0, {{kHigher, 1, 1, 3, true}, {kHigher, 1, 1, 8, true}});
  RunSteps(t, 8,
           {{kLower, 1, 0, 6, true},
            {kLower, 1, 0, 5, true},
            {kLower, 1, 0, 4, true},
            {kLower, 1, 0, 3, true},
            {kLower, 1, 0, 0, true}});
}

TEST(TableWalkTest, BothFiltersTestTheOneToOnePairToo) {
  const EntryTable& t = DefaultTables().RatioTable;
  // Walk up through single ratios with even teeth; no shown entry has an odd tooth.
  std::int32_t index = 0;
  for (int press = 0; press < 300; ++press) {
    const WalkResult r = WalkTable(t, index, kHigher, {true, true});
    const RatioEntry& e = t[r.index];
    ASSERT_EQ((e.Gear1 | e.Gear2 | e.Gear3 | e.Gear4) & 1, 0) << Gears(e);
    ASSERT_GT(r.index, index);
    index = r.index;
  }
}

}  // namespace
}  // namespace cog
