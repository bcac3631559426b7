#include "divider/divide_work.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace cog {
namespace {

using I128 = __int128;

// Whether R/A turns of the crank is a simple move on the head's plates:
// whole, or its fraction's denominator divides a circle.
bool HasSimpleMove(const DividingHead& head, std::int64_t a) {
  const std::int64_t num = head.ratio.num, den = head.ratio.den * a;
  const std::int64_t part = den / std::gcd(num % den, den);
  if (num % den == 0) return true;
  for (const std::vector<int>& plate : head.plates)
    for (int c : plate)
      if (c % part == 0) return true;
  return false;
}

// The approximate numbers the search may try for N, counted the plain way:
// every A up to R times the largest circle with a simple move, A != N, whose
// plate turn R·|A - N|/A is within the gears' largest ratio (big/small)².
std::int64_t ApproximatesInReach(const DividingHead& head, int n) {
  const auto [small, big] = std::minmax_element(head.gears.begin(), head.gears.end());
  int most = 1;
  for (const std::vector<int>& plate : head.plates)
    for (int c : plate) most = std::max(most, c);
  std::int64_t count = 0;
  for (std::int64_t a = 1; a <= head.ratio.num * most; ++a) {
    if (a == n || !HasSimpleMove(head, a)) continue;
    const I128 lhs = I128{head.ratio.num} * (a > n ? a - n : n - a) * *small * *small;
    if (lhs <= I128{head.ratio.den} * a * *big * *big) ++count;
  }
  return count;
}

// The weight of the differential search covers every approximate number it
// may try, and N itself at most besides.
TEST(DivideWorkTest, ReachCoversTheApproximatesWithinTheGears) {
  std::mt19937 random(33);
  const Fraction ratios[] = {{40, 1}, {60, 1}, {90, 1}, {5, 1}, {120, 7}, {45, 2}, {1, 1}};
  for (int round = 0; round < 40; ++round) {
    DividingHead head;
    head.ratio = ratios[round % std::size(ratios)];
    head.plates.emplace_back();
    for (int c = 0; c < 3; ++c) head.plates[0].push_back(7 + random() % 44);
    // Both ends: gears whose widest ratio is below R, and above it.
    for (int g = 0; g < 4; ++g)
      head.gears.push_back(round % 2 ? 20 + random() % 10 : 8 + random() % 90);
    head.differential = true;
    const Indexer indexer(head);
    for (int n : {1, 2, 7, 97, 127, 360, 1000}) {
      const std::int64_t expected = ApproximatesInReach(head, n);
      const std::int64_t reach = indexer.DifferentialReach(n);
      EXPECT_GE(reach, expected) << "round " << round << ", N = " << n;
      EXPECT_LE(reach, expected + 1) << "round " << round << ", N = " << n;
    }
  }
}

// d distinct tooth counts make d² pairs and (d(d+1)/2)² compound trains, five
// to a step: 104 gears take 5,964,483 steps, 105 take 6,196,050.
TEST(DivideWorkTest, HelixIsRefusedAboveTheBudget) {
  const struct {
    int distinct;
    bool accepted;
  } cases[] = {{12, true}, {60, true}, {104, true}, {105, false}};
  for (const auto& c : cases) {
    DividingHead head = BuiltInHead();
    head.gears.clear();
    for (int t = 0; t < c.distinct; ++t) head.gears.insert(head.gears.end(), 2, 8 + t);
    std::string error;
    EXPECT_EQ(c.accepted, CheckHelixSteps(head, &error)) << c.distinct << ": " << error;
    if (!c.accepted) {
      EXPECT_EQ(error,
                "trying the trains of 210 gears would take about 6 million steps of the "
                "search, more than the 6 million steps one request may take: give the "
                "head fewer gears");
    }
  }
}

}  // namespace
}  // namespace cog
