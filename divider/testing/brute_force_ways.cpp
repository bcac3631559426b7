#include "divider/testing/brute_force_ways.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace cog::testing {
namespace {

std::pair<std::int64_t, std::int64_t> Reduced(std::int64_t num, std::int64_t den) {
  const std::int64_t g = std::gcd(num, den);
  return {num / g, den / g};
}

// The fewest holes of a simple move for num/den turns, trying every circle
// and every hole; -1 when none. Whole turns: 0.
int FewestHoles(const DividingHead& head, std::int64_t num, std::int64_t den) {
  if (num % den == 0) return 0;
  const std::int64_t t = num / den;
  int best = -1;
  for (const std::vector<int>& plate : head.plates)
    for (int c : plate)
      for (int h = 1; h < c; ++h)
        if (static_cast<__int128>(t * c + h) * den == static_cast<__int128>(num) * c &&
            (best < 0 || h < best))
          best = h;
  return best;
}

bool Better(const ReferenceBest& a, const ReferenceBest& b) {
  if (b.klass < 0) return a.klass >= 0;
  if (a.klass < 0) return false;
  return std::make_pair(a.klass, a.key) < std::make_pair(b.klass, b.key);
}

}  // namespace

BruteForceWays::BruteForceWays(const DividingHead& head) : head_(head) {
  if (!head.differential) return;
  const std::vector<int>& g = head.gears;
  const int n = static_cast<int>(g.size());
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      if (j == i) continue;
      simple_ratios_.insert(Reduced(g[i], g[j]));
      for (int k = 0; k < n; ++k)
        for (int l = 0; l < n; ++l)
          // A tooth count on both sides is a 1:1 pair: no train of its own.
          if (k != i && k != j && l != i && l != j && l != k && g[i] != g[j] && g[i] != g[l] &&
              g[k] != g[j] && g[k] != g[l])
            compound_ratios_.insert(Reduced(std::int64_t{g[i]} * g[k], std::int64_t{g[j]} * g[l]));
    }
  int most = 1;
  for (const std::vector<int>& plate : head.plates)
    for (int c : plate) most = std::max(most, c);
  // R/A has a simple move only when its denominator is at most the largest
  // circle, so A <= R·most.
  const std::int64_t top = head.ratio.num * most / head.ratio.den + 1;
  for (std::int64_t a = 1; a <= top; ++a) {
    const int holes = FewestHoles(head, head.ratio.num, head.ratio.den * a);
    if (holes >= 0) approximate_holes_[a] = holes;
  }
}

ReferenceBest BruteForceWays::Best(int divisions) const {
  return Search(head_.ratio.num, head_.ratio.den * divisions, divisions);
}

ReferenceBest BruteForceWays::BestForTurns(std::int64_t num, std::int64_t den) const {
  return Search(num, den, 0);
}

ReferenceBest BruteForceWays::Search(std::int64_t num, std::int64_t den, int divisions) const {
  ReferenceBest best;
  auto offer = [&](int klass, std::vector<std::int64_t> key) {
    ReferenceBest candidate{klass, std::move(key)};
    if (Better(candidate, best)) best = candidate;
  };
  const std::int64_t t = num / den;
  if (divisions > 0)
    for (int d : head_.direct)
      if (d % divisions == 0) offer(0, {d / divisions});
  const int holes = FewestHoles(head_, num, den);
  if (holes >= 0) offer(1, {t, holes});
  if (divisions > 0 && head_.differential)
    for (const auto& [a, a_holes] : approximate_holes_) {
      if (a == divisions) continue;
      // |G| = R·|A - N|/A.
      const auto g = Reduced(head_.ratio.num * (a > divisions ? a - divisions : divisions - a),
                             head_.ratio.den * a);
      const std::vector<std::int64_t> key = {a > divisions ? a - divisions : divisions - a, -a,
                                             a_holes};
      if (simple_ratios_.count(g)) offer(2, key);
      if (compound_ratios_.count(g)) offer(3, key);
    }
  if (num % den != 0)
    for (std::size_t p = 0; p < head_.plates.size(); ++p)
      for (int c1 : head_.plates[p])
        for (int c2 : head_.plates[p]) {
          if (c1 == c2) continue;
          for (int h1 = 1; h1 < c1; ++h1)
            for (int h2 = 1; h2 < c2; ++h2)
              for (int sign : {1, -1}) {
                // t + h1/c1 + sign·h2/c2 == num/den, cross-multiplied.
                const __int128 lhs =
                    static_cast<__int128>(t * c1 * c2 + h1 * c2 + sign * h2 * c1) * den;
                if (lhs == static_cast<__int128>(num) * c1 * c2)
                  offer(4, {h1 + h2, c1, c2, sign > 0 ? 0 : 1, static_cast<std::int64_t>(p) + 1});
              }
        }
  return best;
}

std::pair<std::int64_t, std::int64_t> BruteForceWays::NearestGap(std::int64_t num, std::int64_t den,
                                                                 bool compound) const {
  // Gaps as a/b with b > 0, compared cross-multiplied.
  std::pair<__int128, __int128> best = {-1, 1};
  auto offer = [&](__int128 move_num, __int128 move_den) {
    __int128 gap = move_num * den - static_cast<__int128>(num) * move_den;
    if (gap < 0) gap = -gap;
    const __int128 gap_den = move_den * den;
    if (best.first < 0 || gap * best.second < best.first * gap_den) best = {gap, gap_den};
  };
  const std::int64_t t = num / den;
  for (std::int64_t turns = t - 1; turns <= t + 1; ++turns) {
    offer(turns, 1);
    for (const std::vector<int>& plate : head_.plates)
      for (int c : plate)
        for (int h = 1; h < c; ++h) offer(turns * c + h, c);
  }
  if (compound)
    for (const std::vector<int>& plate : head_.plates)
      for (int c1 : plate)
        for (int c2 : plate)
          if (c1 != c2)
            for (int h1 = 1; h1 < c1; ++h1)
              for (int h2 = 1; h2 < c2; ++h2)
                for (int sign : {1, -1})
                  offer(static_cast<__int128>(t) * c1 * c2 + h1 * c2 + sign * h2 * c1,
                        static_cast<__int128>(c1) * c2);
  __int128 a = best.first, b = best.second;
  while (b != 0) std::tie(a, b) = std::make_pair(b, a % b);
  return {static_cast<std::int64_t>(best.first / a), static_cast<std::int64_t>(best.second / a)};
}

}  // namespace cog::testing
