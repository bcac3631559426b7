#include "engine/best_match.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/test_tables.h"

namespace cog {
namespace {

using testing::DefaultTables;
using testing::MakeTable;

std::int32_t Find(const EntryTable& table, float target, std::int32_t start = -7) {
  std::int32_t index = start;
  FindBestMatch(table, target, index);
  return index;
}

RatioEntry R(float ratio, int tag) { return {ratio, static_cast<std::uint8_t>(tag), 0, 0, 0, 0}; }

TEST(FindBestMatchTest, SmallTable) {
  // 0 | 1 | 2 2 2 | 3, with tags to tell the equal ratios apart.
  const EntryTable t = MakeTable({R(0, 0), R(1, 1), R(2, 2), R(2, 3), R(2, 4), R(3, 5)});
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float target;
    std::int32_t index;
  } cases[] = {
      {0, 0},
      {-1, 0},
      {-inf, 0},
      {0.4f, 0},
      {0.5f, 0},  // a tie goes down
      {0.6f, 1},
      {1, 1},
      {1.5f, 1},
      {1.7f, 2},
      {2, 2},  // first of the run
      {2.5f, 4},
      {2.6f, 5},
      {3, 5},
      {100, 5},
      {inf, 4},  // both distances are infinite: a tie, so the lower entry
      {std::numeric_limits<float>::quiet_NaN(), 4},  // nothing compares, so the top pair decides
  };
  for (const auto& c : cases) EXPECT_EQ(Find(t, c.target), c.index) << c.target;
}

TEST(FindBestMatchTest, SingleSlotTableLeavesTheIndexAlone) {
  const EntryTable t = MakeTable({R(0, 0)});
  EXPECT_EQ(Find(t, 5, 0), 0);
  EXPECT_EQ(Find(t, 5, 3), 3);
}

TEST(FindBestMatchTest, TopTwoAreComparedWhenTheTargetIsAboveAll) {
  EXPECT_EQ(Find(MakeTable({R(0, 0), R(1, 1), R(3, 2)}), 1.9f), 1);
  EXPECT_EQ(Find(MakeTable({R(0, 0), R(1, 1), R(3, 2)}), 2.1f), 2);
  EXPECT_EQ(Find(MakeTable({R(0, 0), R(1, 1), R(3, 2)}), 2.0f), 1);  // tie: lower
}

TEST(FindBestMatchTest, DefaultLimitLandmarks) {
  const EntryTable& t = DefaultTables().RatioTable;
  const struct {
    float target;
    std::int32_t index;
  } cases[] = {
      {0.12345f, 27365},  // the scan stops at 27366; the entry below is nearer
      {0.5f, 1103480},    // the first exact half in table order
      {100, 5279625},     // 20.25 beats 4.5 x 71/16
      {20.25f, 5279625}, {0, 0}, {-3, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Find(t, c.target), c.index) << c.target;
}

}  // namespace
}  // namespace cog
