// Memory that runs out part-way through creating the tables: the build must
// report it and must not fill or sort a table, not even the one it did get.

#include <gtest/gtest.h>

#include <cstddef>

#include "engine/ratio_table.h"

namespace cog {
namespace {

// The allocator is a plain function, so its ration lives here.
int memory_grants_left = 0;

void* RationedAllocator(std::size_t bytes) {
  if (memory_grants_left <= 0) return nullptr;
  --memory_grants_left;
  return CallocZeroAllocator(bytes);
}

bool AllZero(const EntryTable& table) {
  for (const RatioEntry& e : table) {
    if (e.Ratio != 0 || (e.Gear1 | e.Gear2 | e.Gear3 | e.Gear4 | e.IsSingle) != 0) return false;
  }
  return true;
}

TEST(TableFailureTest, MemoryThatRunsOutLeavesEveryTableUnfilled) {
  const struct {
    int min_teeth, max_teeth;
    int grants;
    RunError error;
    bool pairs_created;
  } cases[] = {
      {16, 72, 0, RunError::kOutOfMemory, false},  // the pair table is refused
      {16, 72, 1, RunError::kOutOfMemory, true},   // then the ratio table
      {20, 0, 1, RunError::kOutOfMemory, true},    // 361 zero pairs, 65,342 zero slots
      {20, 21, 2, RunError::kNone, true},          // enough for both
  };
  for (const auto& c : cases) {
    memory_grants_left = c.grants;
    RatioTables t;
    const ToothLimits limits{static_cast<std::uint8_t>(c.min_teeth),
                             static_cast<std::uint8_t>(c.max_teeth)};
    EXPECT_EQ(BuildRatioTable(limits, t, RationedAllocator), c.error) << c.min_teeth;
    EXPECT_EQ(t.PairTable.created(), c.pairs_created) << c.min_teeth;
    EXPECT_EQ(t.RatioTable.created(), c.error == RunError::kNone) << c.min_teeth;
    if (c.error != RunError::kNone) {
      EXPECT_TRUE(AllZero(t.PairTable)) << "pairs filled before the failure " << c.min_teeth;
    } else {
      ASSERT_EQ(t.RatioTable.size(), 11u);
      EXPECT_EQ(t.RatioTable[10].Gear1, 21);  // filled and sorted: 21/20 x 21/20 on top
      EXPECT_EQ(t.RatioTable[10].Gear4, 20);
    }
  }
}

}  // namespace
}  // namespace cog
