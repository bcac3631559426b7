#include "gears/ratio_trains.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace cog {
namespace {

// Against every tuple of distinct physical gears (by index), for random sets
// with repeated tooth counts and random ratios, most of them reachable.
TEST(RatioTrainsTest, FindsExactlyTheTrainsOfPhysicalGears) {
  std::mt19937 random(127);
  for (int round = 0; round < 200; ++round) {
    std::vector<int> gears;
    const int n = 2 + random() % 9;
    // Multiples of 4 share factors; any count from 20 to 99 gives large primes too.
    for (int i = 0; i < n; ++i)
      gears.push_back(round % 2 ? 20 + 4 * (random() % 12) : 20 + random() % 80);
    const GearCounts set(gears);
    const int i = random() % n, j = random() % n, k = random() % n, l = random() % n;
    Fraction ratio;
    // One round in three a neighbour of a reachable ratio: mostly no train.
    ASSERT_TRUE(MakeFraction(std::int64_t{gears[i]} * gears[k],
                             std::int64_t{gears[j]} * gears[l] + (round % 3 == 2), &ratio));
    std::set<std::array<int, 2>> pairs;
    std::set<std::array<int, 4>> trains;
    for (int a = 0; a < n; ++a)
      for (int b = 0; b < n; ++b) {
        if (a == b) continue;
        if (std::int64_t{gears[a]} * ratio.den == std::int64_t{gears[b]} * ratio.num)
          pairs.insert({gears[a], gears[b]});
        for (int c = 0; c < n; ++c)
          for (int d = 0; d < n; ++d)
            if (c != a && c != b && d != a && d != b && d != c &&
                std::int64_t{gears[a]} * gears[c] * ratio.den ==
                    std::int64_t{gears[b]} * gears[d] * ratio.num)
              trains.insert({std::min(gears[a], gears[c]), std::min(gears[b], gears[d]),
                             std::max(gears[a], gears[c]), std::max(gears[b], gears[d])});
      }
    const auto found_pairs = SimplePairsFor(set, ratio);
    const auto found_trains = CompoundTrainsFor(set, ratio);
    const std::vector<std::array<int, 2>> expected_pairs(pairs.begin(), pairs.end());
    const std::vector<std::array<int, 4>> expected_trains(trains.begin(), trains.end());
    EXPECT_EQ(expected_pairs, found_pairs);
    EXPECT_EQ(expected_trains, found_trains);
    // ForEachTrain visits each of them once, with its ratio.
    std::size_t visits = 0;
    ForEachTrain(set, [&](const std::array<int, 4>& g, int size, const Fraction& r) {
      if (r != ratio) return;
      ++visits;
      if (size == 2) {
        EXPECT_TRUE(pairs.count({g[0], g[1]}));
      } else {
        EXPECT_TRUE(trains.count(g));
      }
    });
    EXPECT_EQ(visits, pairs.size() + trains.size());
  }
}

// The ends of the compound search: a ratio whose part is the largest product
// of the set, one just beyond it, and the trains of a gear listed once or twice.
TEST(RatioTrainsTest, CompoundTrainsAtTheLargestProduct) {
  using Trains = std::vector<std::array<int, 4>>;
  const struct {
    std::vector<int> gears;
    Fraction ratio;
    Trains expected;
  } cases[] = {
      {{20, 21, 97, 97}, {9409, 420}, {{97, 20, 97, 21}}},
      {{20, 21, 97, 97}, {420, 9409}, {{20, 97, 21, 97}}},
      {{20, 21, 97}, {9409, 420}, {}},
      {{20, 21, 97, 97}, {9410, 421}, {}},
      {{20, 21, 97, 97}, {9409, 419}, {}},
      {{20, 30, 40, 60}, {1, 1}, {{20, 30, 60, 40}, {30, 20, 40, 60}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, CompoundTrainsFor(GearCounts(c.gears), c.ratio))
        << c.ratio.num << "/" << c.ratio.den;
}

}  // namespace
}  // namespace cog
