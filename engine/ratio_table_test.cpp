#include "engine/ratio_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/test_tables.h"

namespace cog {
namespace {

using testing::BuildTables;
using testing::DefaultTables;
using testing::RatioOf;

struct Row {
  std::int64_t index;
  float ratio;
  int g1, g2, g3, g4, single;
};

void ExpectRow(const EntryTable& table, const Row& row) {
  const RatioEntry& e = table[row.index];
  // The decimals are rounded; exact neighbours are checked separately.
  EXPECT_FLOAT_EQ(RatioOf(e), row.ratio) << "index " << row.index;
  EXPECT_EQ(e.Gear1, row.g1) << "index " << row.index;
  EXPECT_EQ(e.Gear2, row.g2) << "index " << row.index;
  EXPECT_EQ(e.Gear3, row.g3) << "index " << row.index;
  EXPECT_EQ(e.Gear4, row.g4) << "index " << row.index;
  EXPECT_EQ(e.IsSingle, row.single) << "index " << row.index;
}

TEST(RatioTableTest, Limits20To21RowByRow) {
  const RatioTables t = BuildTables(20, 21);
  ASSERT_EQ(t.PairTable.size(), 4u);
  // The pairs of ratio 1 change places in the sort.
  const int pairs[][2] = {{20, 21}, {21, 21}, {20, 20}, {21, 20}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(t.PairTable[k].Gear1, pairs[k][0]) << k;
    EXPECT_EQ(t.PairTable[k].Gear2, pairs[k][1]) << k;
  }
  ASSERT_EQ(t.RatioTable.size(), 11u);
  const Row rows[] = {
      {0, 0, 0, 0, 0, 0, 0},
      {1, 0.9070295f, 20, 21, 20, 21, 0},
      {2, 0.952381f, 20, 21, 20, 20, 1},
      {3, 0.952381f, 20, 21, 21, 21, 1},
      {4, 0.99999994f, 20, 21, 21, 20, 0},
      {5, 1, 20, 20, 20, 20, 1},
      {6, 1, 21, 21, 20, 20, 1},
      {7, 1, 21, 21, 21, 21, 1},
      {8, 1.05f, 20, 20, 21, 20, 1},
      {9, 1.05f, 21, 21, 21, 20, 1},
      {10, 1.1025f, 21, 20, 21, 20, 0},
  };
  for (const Row& row : rows) ExpectRow(t.RatioTable, row);
  // 20/21 x 21/20 of the rounded pair ratios falls one unit short of 1.
  EXPECT_EQ(RatioOf(t.RatioTable[4]), std::nextafter(1.0f, 0.0f));
  EXPECT_EQ(RatioOf(t.RatioTable[5]), 1.0f);
  EXPECT_EQ(RatioOf(t.RatioTable[2]), RatioOf(t.RatioTable[3]));
}

TEST(RatioTableTest, SizesForOddLimits) {
  const struct {
    int min_teeth, max_teeth;
    std::int64_t pairs;  // -1: PairTable could not be created
    std::int64_t slots;
  } cases[] = {
      {30, 30, 1, 2},      {16, 17, 4, 11}, {21, 20, -1, 1},  // n = 0
      {20, 0, 361, 65342},                                    // n = -19: zero pairs only
      {100, 90, 81, 3322},
  };
  for (const auto& c : cases) {
    const RatioTables t = BuildTables(c.min_teeth, c.max_teeth);
    EXPECT_EQ(t.PairTable.TopIndex(), c.pairs - (c.pairs < 0 ? 0 : 1)) << c.min_teeth;
    EXPECT_EQ(static_cast<std::int64_t>(t.RatioTable.size()), c.slots) << c.min_teeth;
    EXPECT_EQ(RatioTableSlots(
                  {static_cast<std::uint8_t>(c.min_teeth), static_cast<std::uint8_t>(c.max_teeth)}),
              c.slots);
  }
}

TEST(RatioTableTest, EqualLimitsGiveOneEntry) {
  const RatioTables t = BuildTables(30, 30);
  ExpectRow(t.RatioTable, {0, 0, 0, 0, 0, 0, 0});
  ExpectRow(t.RatioTable, {1, 1, 30, 30, 30, 30, 1});
}

TEST(RatioTableTest, MinAboveMaxGivesZeroEntriesAllSingleButTheExtraSlot) {
  const RatioTables t = BuildTables(20, 0);
  int unflagged = 0;
  for (const RatioEntry& e : t.RatioTable) {
    EXPECT_EQ(RatioOf(e), 0.0f);
    EXPECT_EQ(e.Gear1 | e.Gear2 | e.Gear3 | e.Gear4, 0);
    unflagged += e.IsSingle == 0;
  }
  EXPECT_EQ(unflagged, 1);
}

TEST(RatioTableTest, DefaultLimitLandmarks) {
  const RatioTables& t = DefaultTables();
  EXPECT_EQ(t.PairTable.size(), 3249u);
  ASSERT_EQ(t.RatioTable.size(), 5279626u);
  const Row rows[] = {
      {0, 0, 0, 0, 0, 0, 0},
      {1, 0.049382716f, 16, 72, 16, 72, 0},
      {27364, 0.12344633f, 19, 60, 23, 59, 0},
      {27365, 0.12344633f, 19, 59, 23, 60, 0},
      {27366, 0.12345679f, 25, 72, 16, 45, 0},
      {1103479, 0.49999997f, 35, 69, 69, 70, 0},
      {1103480, 0.5f, 36, 72, 19, 19, 1},
      {5279625, 20.25f, 72, 16, 72, 16, 0},
  };
  for (const Row& row : rows) ExpectRow(t.RatioTable, row);
  // Same exact value as the next entry's gears, one unit in the last place lower.
  EXPECT_EQ(RatioOf(t.RatioTable[27364]), std::nextafter(RatioOf(t.RatioTable[27365]), 0.0f));
  EXPECT_EQ(RatioOf(t.RatioTable[1103479]), std::nextafter(0.5f, 0.0f));
  EXPECT_EQ(RatioOf(t.RatioTable[1103480]), 0.5f);
  EXPECT_EQ(RatioOf(t.RatioTable[5279625]), 20.25f);
}

TEST(RatioTableTest, EveryEntryIsSortedAndMatchesItsGears) {
  for (const auto& limits : {std::pair{16, 30}, std::pair{17, 24}, std::pair{6, 12}}) {
    const RatioTables t = BuildTables(limits.first, limits.second);
    for (std::size_t i = 1; i < t.RatioTable.size(); ++i) {
      const RatioEntry& e = t.RatioTable[i];
      ASSERT_LE(RatioOf(t.RatioTable[i - 1]), RatioOf(e)) << i;
      const float first = static_cast<float>(static_cast<long double>(e.Gear1) / e.Gear2);
      const float second = static_cast<float>(static_cast<long double>(e.Gear3) / e.Gear4);
      ASSERT_EQ(RatioOf(e), static_cast<float>(double(first) * double(second))) << i;
      ASSERT_EQ(e.IsSingle, e.Gear1 == e.Gear2 || e.Gear3 == e.Gear4) << i;
    }
  }
}

void* NoMemory(std::size_t) { return nullptr; }

TEST(RatioTableTest, TablesThatCannotBeCreatedAreReportedAndLeftUntouched) {
  const struct {
    int min_teeth, max_teeth;
    ZeroAllocator allocate;
    RunError error;
  } cases[] = {
      {251, 72, CallocZeroAllocator, RunError::kSubscriptOutOfRange},  // over 4 GiB
      {16, 72, NoMemory, RunError::kOutOfMemory},
      {21, 20, NoMemory, RunError::kOutOfMemory},  // no pairs, but the zero slot needs memory
  };
  for (const auto& c : cases) {
    RatioTables t;
    EXPECT_EQ(BuildRatioTable(
                  {static_cast<std::uint8_t>(c.min_teeth), static_cast<std::uint8_t>(c.max_teeth)},
                  t, c.allocate),
              c.error)
        << c.min_teeth;
    EXPECT_FALSE(t.RatioTable.created()) << c.min_teeth;
  }
}

}  // namespace
}  // namespace cog
