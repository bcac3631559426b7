#include "numtext/table_sort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cog {
namespace {

// A record with a key and a tag that tells the records apart.
struct Keyed {
  float key;
  char tag;
};

int CompareKey(const Keyed& a, const Keyed& b) { return a.key < b.key ? -1 : a.key > b.key; }

// Sorts records given as "key tag" pairs and returns them in the same form.
std::string Sorted(const std::vector<Keyed>& input) {
  ZeroedTable<Keyed> table;
  EXPECT_EQ(table.Create(static_cast<std::int64_t>(input.size()) - 1), RunError::kNone);
  for (std::size_t i = 0; i < input.size(); ++i) table[i] = input[i];
  EXPECT_EQ(SortEntries(table, &CompareKey), RunError::kNone);
  std::string out;
  for (const Keyed& r : table) {
    if (!out.empty()) out += ' ';
    out += std::to_string(static_cast<int>(r.key)) + r.tag;
  }
  return out;
}

std::vector<Keyed> EqualKeys(const std::string& tags) {
  std::vector<Keyed> v;
  for (char t : tags) v.push_back({1, t});
  return v;
}

TEST(SortEntriesTest, EqualKeysComeOutInTheQuicksortsOwnOrder) {
  const struct {
    std::string tags;
    std::string expected;
  } cases[] = {
      {"A", "1A"},
      {"AB", "1B 1A"},
      {"ABC", "1C 1B 1A"},
      {"ABCD", "1C 1D 1A 1B"},
      {"ABCDE", "1D 1E 1C 1A 1B"},
      {"ABCDEF", "1D 1E 1F 1A 1B 1C"},
  };
  for (const auto& c : cases) EXPECT_EQ(Sorted(EqualKeys(c.tags)), c.expected) << c.tags;
}

TEST(SortEntriesTest, MixedKeys) {
  const struct {
    std::vector<Keyed> input;
    std::string expected;
  } cases[] = {
      {{{2, 'A'}, {1, 'B'}, {2, 'C'}, {1, 'D'}, {0, 'E'}}, "0E 1D 1B 2A 2C"},
      {{{3, 'A'}, {2, 'B'}, {1, 'C'}}, "1C 2B 3A"},
      {{{1, 'A'}, {2, 'B'}, {3, 'C'}, {4, 'D'}, {5, 'E'}, {6, 'F'}, {7, 'G'}},
       "1A 2B 3C 4D 5E 6F 7G"},
  };
  for (const auto& c : cases) EXPECT_EQ(Sorted(c.input), c.expected);
}

TEST(SortEntriesTest, HalvesAndQuarters) {
  // Keys scaled by 4 so that they print as integers: 0.5 -> 2, 0.25 -> 1, 2 -> 8.
  EXPECT_EQ(Sorted({{2, 'A'}, {1, 'B'}, {2, 'C'}, {8, 'D'}}), "1B 2C 2A 8D");
}

TEST(SortEntriesTest, LargeRunsOfEqualKeysSortAndKeepEveryRecord) {
  // Many equal keys in a long table: everything ordered, nothing lost or doubled.
  std::vector<Keyed> input;
  for (int i = 0; i < 20000; ++i) input.push_back({static_cast<float>((i * 7919) % 13), 'a'});
  ZeroedTable<Keyed> table;
  ASSERT_EQ(table.Create(static_cast<std::int64_t>(input.size()) - 1), RunError::kNone);
  for (std::size_t i = 0; i < input.size(); ++i) table[i] = input[i];
  SortEntries(table, &CompareKey);
  std::vector<int> counts(13);
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i > 0) {
      ASSERT_LE(table[i - 1].key, table[i].key) << i;
    }
    ++counts[static_cast<int>(table[i].key)];
  }
  for (int k = 0; k < 13; ++k) EXPECT_NEAR(counts[k], 20000 / 13, 1) << k;
}

TEST(SortEntriesTest, UncreatedTableIsAnIllegalCall) {
  ZeroedTable<Keyed> table;
  EXPECT_EQ(SortEntries(table, &CompareKey), RunError::kIllegalFunctionCall);
  EXPECT_EQ(table.TopIndex(), -1);
}

}  // namespace
}  // namespace cog
