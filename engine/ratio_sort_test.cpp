// The fast build and sort against the one exact quicksort, byte for byte.

#include "engine/ratio_sort.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "engine/entry_partition.h"
#include "engine/ratio_table.h"
#include "engine/test_tables.h"
#include "numtext/table_sort.h"

namespace cog {
namespace {

std::uint64_t Fnv1a(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t k = 0; k < size; ++k) hash = (hash ^ bytes[k]) * 1099511628211ull;
  return hash;
}

std::uint64_t TableHash(const EntryTable& t) {
  return Fnv1a(t.data(), t.size() * sizeof(RatioEntry));
}

// The compound table made one step after the other as described for the
// build, sorted twice by the plain quicksort with CompareRatio (the second
// time only if `sort_compounds`).
EntryTable PlainRatioTable(int min_teeth, int max_teeth, bool sort_compounds = true) {
  const std::int64_t n = max_teeth - min_teeth + 1;
  const std::int64_t pair_count = n * n;
  EntryTable pairs;
  pairs.Create(pair_count - 1);  // fails, silently, when n = 0
  EntryTable ratios;
  EXPECT_EQ(ratios.Create(pair_count * (pair_count + 1) / 2), RunError::kNone);
  if (!pairs.created()) return ratios;
  std::size_t k = 0;
  for (int a = min_teeth; a <= max_teeth; ++a) {
    for (int b = min_teeth; b <= max_teeth; ++b) {
      pairs[k++] = {static_cast<float>(static_cast<long double>(a) / b),
                    std::uint8_t(a),
                    std::uint8_t(b),
                    0,
                    0,
                    0};
    }
  }
  SortEntries(pairs, &CompareRatio);
  std::size_t m = 0;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    for (std::size_t j = i; j < pairs.size(); ++j) {
      RatioEntry& e = ratios[m++];
      e.Ratio = static_cast<float>(static_cast<long double>(pairs[j].Ratio) * pairs[i].Ratio);
      e.Gear1 = pairs[i].Gear1;
      e.Gear2 = pairs[i].Gear2;
      e.Gear3 = pairs[j].Gear1;
      e.Gear4 = pairs[j].Gear2;
      e.IsSingle = e.Gear1 == e.Gear2 || e.Gear3 == e.Gear4;
    }
  }
  if (sort_compounds) SortEntries(ratios, &CompareRatio);
  return ratios;
}

// The first slot where two tables differ, for the failure message.
std::string FirstDifference(const EntryTable& a, const EntryTable& b) {
  if (a.size() != b.size())
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(RatioEntry)) != 0) return "slot " + std::to_string(i);
  }
  return "none";
}

TEST(FastBuildTest, SameBytesAsThePlainBuild) {
  const struct {
    int min_teeth, max_teeth;
  } cases[] = {
      {16, 72},             // the default
      {20, 21}, {30, 30},   // two teeth counts, one
      {21, 20},             // MinTeeth = MaxTeeth + 1: the zero slot alone
      {20, 0},  {100, 90},  // MinTeeth above MaxTeeth: zero entries only
      {6, 12},  {17, 40},  {13, 29}, {6, 45}, {101, 130}, {16, 17}, {19, 24}, {6, 7}, {129, 130},
  };
  for (const auto& c : cases) {
    const RatioTables fast = testing::BuildTables(c.min_teeth, c.max_teeth);
    const EntryTable plain = PlainRatioTable(c.min_teeth, c.max_teeth);
    ASSERT_EQ(fast.RatioTable.size(), plain.size()) << c.min_teeth << ".." << c.max_teeth;
    EXPECT_EQ(TableHash(fast.RatioTable), TableHash(plain))
        << c.min_teeth << ".." << c.max_teeth << ": first difference at "
        << FirstDifference(fast.RatioTable, plain);
  }
}

// The scans of a 32-bit build use narrower masks; a 64-bit build checks them
// here on real tables.
TEST(FastBuildTest, NarrowScanMasksGiveTheSameBytes) {
  for (const auto& limits : {std::pair{16, 72}, std::pair{17, 40}, std::pair{20, 0}}) {
    EntryTable narrow = PlainRatioTable(limits.first, limits.second, false);
    SortEntryRangeNarrow(narrow.data(), 0, narrow.TopIndex());
    const RatioTables fast = testing::BuildTables(limits.first, limits.second);
    EXPECT_EQ(TableHash(narrow), TableHash(fast.RatioTable))
        << limits.first << ".." << limits.second << ": first difference at "
        << FirstDifference(narrow, fast.RatioTable);
  }
}

// Keys for synthetic tables: a deterministic pseudo-random stream.
class Keys {
 public:
  std::uint32_t Next(std::uint32_t below) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33) % below;
  }

 private:
  std::uint64_t state_ = 88172645463325252ull;
};

enum class Pattern {
  kFewValues,
  kManyValues,
  kAllEqual,
  kAscending,
  kDescending,
  kOrganPipe,
  kZeroAndInfinity
};

float KeyAt(Pattern pattern, std::size_t i, std::size_t size, Keys& keys) {
  switch (pattern) {
    case Pattern::kFewValues:
      return 0.25f * keys.Next(4);
    case Pattern::kManyValues:
      return 1.0f + 0.001f * keys.Next(1000);
    case Pattern::kAllEqual:
      return 0.5f;
    case Pattern::kAscending:
      return static_cast<float>(i);
    case Pattern::kDescending:
      return static_cast<float>(size - i);
    case Pattern::kOrganPipe:
      return static_cast<float>(i < size / 2 ? i : size - i);
    case Pattern::kZeroAndInfinity:
      return keys.Next(2) ? 0.0f : std::numeric_limits<float>::infinity();
  }
  return 0;
}

TEST(SortRatioEntriesTest, SameArrangementAsTheQuicksort) {
  const struct {
    std::size_t size;
    Pattern pattern;
  } cases[] = {
      {0, Pattern::kFewValues},          {1, Pattern::kFewValues},
      {2, Pattern::kAllEqual},           {3, Pattern::kFewValues},
      {17, Pattern::kFewValues},         {31, Pattern::kManyValues},
      {32, Pattern::kFewValues},         {33, Pattern::kAllEqual},
      {63, Pattern::kFewValues},         {64, Pattern::kManyValues},
      {65, Pattern::kFewValues},         {127, Pattern::kFewValues},
      {128, Pattern::kAscending},        {129, Pattern::kDescending},
      {200, Pattern::kOrganPipe},        {1000, Pattern::kFewValues},
      {1025, Pattern::kAllEqual},        {5000, Pattern::kManyValues},
      {5000, Pattern::kZeroAndInfinity}, {270000, Pattern::kFewValues},
      {40000, Pattern::kAscending},      {40000, Pattern::kOrganPipe},
      {300000, Pattern::kManyValues},    {70000, Pattern::kAllEqual},
  };
  for (const auto& c : cases) {
    Keys keys;
    EntryTable plain;
    std::vector<RatioEntry> input(c.size);
    for (std::size_t i = 0; i < c.size; ++i) {
      // The tag in the gears tells equal keys apart.
      input[i] = {KeyAt(c.pattern, i, c.size, keys),
                  std::uint8_t(i),
                  std::uint8_t(i >> 8),
                  std::uint8_t(i >> 16),
                  0,
                  0};
    }
    if (c.size > 0) {
      plain.Create(static_cast<std::int64_t>(c.size) - 1);
      std::memcpy(plain.data(), input.data(), c.size * sizeof(RatioEntry));
      SortEntries(plain, &CompareRatio);
    }
    for (const unsigned workers : {1u, 2u, 3u}) {
      std::vector<RatioEntry> fast = input;
      SortRatioEntries(fast.data(), fast.size(), workers);
      EXPECT_TRUE(c.size == 0 ||
                  std::memcmp(fast.data(), plain.data(), c.size * sizeof(RatioEntry)) == 0)
          << "size " << c.size << ", pattern " << static_cast<int>(c.pattern) << ", " << workers
          << " threads";
    }
  }
}

}  // namespace
}  // namespace cog
