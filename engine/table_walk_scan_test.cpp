// The walks against a plain step-by-step walk, from every start.

#include <gtest/gtest.h>

#include "engine/table_walk.h"
#include "engine/test_tables.h"

namespace cog {
namespace {

bool Odd(const RatioEntry& e) {
  return ((e.Gear1 & 1) | (e.Gear2 & 1) | (e.Gear3 & 1) | (e.Gear4 & 1)) != 0;
}

// One entry per step, each test in the order described for the walks.
WalkResult PlainStepWalk(const EntryTable& t, std::int32_t index, Direction direction, bool single,
                         bool even) {
  const std::int64_t top = t.TopIndex();
  const int step = direction == Direction::kHigher ? 1 : -1;
  const RatioEntry s = t[index];
  std::int64_t i = index;
  for (;;) {
    i += step;
    if (i > top) return {static_cast<std::int32_t>(top), single};
    if (i < 0) return {0, single};
    const RatioEntry& e = t[i];
    if (!single) {
      if (even && Odd(e)) continue;
      return {static_cast<std::int32_t>(i), true};
    }
    if (e.Gear1 == e.Gear2 && e.Gear3 == e.Gear4) continue;
    if (e.IsSingle != 1) continue;
    if (even && Odd(e)) continue;
    if ((e.Gear1 == e.Gear2 && (e.Gear3 != s.Gear3 || e.Gear4 != s.Gear4)) ||
        (e.Gear3 == e.Gear4 && (e.Gear1 != s.Gear1 || e.Gear2 != s.Gear2))) {
      return {static_cast<std::int32_t>(i), true};
    }
  }
}

TEST(TableWalkScanTest, EveryStartEveryDirectionEveryFilter) {
  const struct {
    int min_teeth, max_teeth;
  } cases[] = {{20, 21}, {17, 22}, {30, 30}, {21, 20}, {12, 9}, {15, 19}};
  for (const auto& c : cases) {
    const RatioTables tables = testing::BuildTables(c.min_teeth, c.max_teeth);
    const EntryTable& t = tables.RatioTable;
    for (std::int32_t start = 0; start <= t.TopIndex(); ++start) {
      for (const Direction direction : {Direction::kHigher, Direction::kLower}) {
        for (const bool single : {false, true}) {
          for (const bool even : {false, true}) {
            const WalkResult got = WalkTable(t, start, direction, {single, even});
            const WalkResult want = PlainStepWalk(t, start, direction, single, even);
            ASSERT_EQ(got.index, want.index)
                << c.min_teeth << ".." << c.max_teeth << " from " << start << " dir "
                << static_cast<int>(direction) << " single " << single << " even " << even;
            ASSERT_EQ(got.display, want.display)
                << c.min_teeth << ".." << c.max_teeth << " from " << start;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace cog
