#include "numtext/zeroed_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "numtext/run_error.h"

namespace cog {
namespace {

struct Nine {
  unsigned char bytes[9];
};

void* NoMemory(std::size_t) { return nullptr; }

TEST(ZeroedTableTest, CreationOutcomes) {
  const struct {
    std::int64_t top;
    ZeroAllocator allocate;
    RunError error;
    std::int64_t top_after;
  } cases[] = {
      {0, CallocZeroAllocator, RunError::kNone, 0},
      {99, CallocZeroAllocator, RunError::kNone, 99},
      {-1, CallocZeroAllocator, RunError::kSubscriptOutOfRange, -1},
      {-5, CallocZeroAllocator, RunError::kSubscriptOutOfRange, -1},
      // 477,218,588 records of 9 bytes (top index 477,218,587) are the most
      // that fit in 32 bits; the allocator is asked only for sizes that fit.
      {477218587, NoMemory, RunError::kOutOfMemory, -1},
      {477218588, CallocZeroAllocator, RunError::kSubscriptOutOfRange, -1},
      {99, NoMemory, RunError::kOutOfMemory, -1},
  };
  for (const auto& c : cases) {
    ZeroedTable<Nine> table;
    EXPECT_EQ(table.Create(c.top, c.allocate), c.error) << c.top;
    EXPECT_EQ(table.TopIndex(), c.top_after) << c.top;
    EXPECT_EQ(table.created(), c.error == RunError::kNone) << c.top;
  }
}

TEST(ZeroedTableTest, NewTableIsZeroAndASecondCreationChangesNothing) {
  ZeroedTable<Nine> table;
  ASSERT_EQ(table.Create(9), RunError::kNone);
  for (const Nine& r : table) {
    for (unsigned char b : r.bytes) EXPECT_EQ(b, 0);
  }
  table[3].bytes[0] = 42;
  EXPECT_EQ(table.Create(500), RunError::kNone);
  EXPECT_EQ(table.TopIndex(), 9);
  EXPECT_EQ(table[3].bytes[0], 42);
}

TEST(RunErrorTest, Texts) {
  EXPECT_STREQ(RunErrorText(RunError::kIllegalFunctionCall), "Illegal function call");
  EXPECT_STREQ(RunErrorText(RunError::kOutOfMemory), "Out of memory");
  EXPECT_STREQ(RunErrorText(RunError::kSubscriptOutOfRange), "Subscript/Pointer out of range");
  EXPECT_STREQ(RunErrorText(RunError::kGlobalMemoryCorrupt), "Global memory corrupt");
  EXPECT_STREQ(RunErrorText(RunError::kStringSpaceCorrupt), "String space corrupt");
}

TEST(RunErrorDeathTest, CorruptionEndsTheProcessWith255) {
  EXPECT_EXIT(RaiseRunError(RunError::kGlobalMemoryCorrupt), ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(RaiseRunError(RunError::kStringSpaceCorrupt), ::testing::ExitedWithCode(255), "");
}

}  // namespace
}  // namespace cog
