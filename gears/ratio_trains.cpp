#include "gears/ratio_trains.h"

#include <algorithm>

namespace cog {

GearCounts::GearCounts(const std::vector<int>& gears) {
  for (int teeth : gears)
    if (teeth >= 0 && teeth < kSize && counts_[teeth]++ == 0) distinct_.push_back(teeth);
  std::sort(distinct_.begin(), distinct_.end());
  for (std::size_t i = 0; i < distinct_.size(); ++i)
    for (std::size_t j = i; j < distinct_.size(); ++j)
      products_.push_back({std::int64_t{distinct_[i]} * distinct_[j], distinct_[i], distinct_[j]});
  std::sort(products_.begin(), products_.end());
}

bool InSet(const GearCounts& set, const std::array<int, 4>& gears, int n) {
  for (int i = 0; i < n; ++i) {
    int uses = 0;
    for (int j = 0; j < n; ++j) uses += gears[j] == gears[i];
    if (uses > set.count(gears[i])) return false;
  }
  return true;
}

std::vector<std::array<int, 2>> SimplePairsFor(const GearCounts& set, const Fraction& ratio) {
  std::vector<std::array<int, 2>> out;
  // A pair's ratio, reduced, has both parts at most kMaxTeeth.
  if (ratio.num > kMaxTeeth || ratio.den > kMaxTeeth) return out;
  // driven = driver · den / num must be a whole tooth count of the set.
  for (int driver : set.distinct()) {
    if (driver % ratio.num != 0) continue;
    const std::int64_t driven = driver / ratio.num * ratio.den;
    if (driven > kMaxTeeth || !InSet(set, {driver, static_cast<int>(driven), 0, 0}, 2)) continue;
    out.push_back({driver, static_cast<int>(driven)});
  }
  return out;
}

std::vector<std::array<int, 4>> CompoundTrainsFor(const GearCounts& set, const Fraction& ratio) {
  std::vector<std::array<int, 4>> out;
  // Reduced, A·C/(B·D) has both parts at most kMaxTeeth squared.
  constexpr std::int64_t kMost = std::int64_t{kMaxTeeth} * kMaxTeeth;
  if (ratio.num > kMost || ratio.den > kMost) return out;
  const std::vector<int>& d = set.distinct();
  // A·C = B·D·ratio: for each driven pair, the driver pairs of that product.
  for (std::size_t i = 0; i < d.size(); ++i)
    for (std::size_t j = i; j < d.size(); ++j) {
      const std::int64_t driven = std::int64_t{d[i]} * d[j];
      if (driven % ratio.den != 0) continue;
      const std::int64_t value = driven / ratio.den * ratio.num;
      const auto [from, to] = std::equal_range(set.products().begin(), set.products().end(),
                                               GearCounts::Product{value, 0, 0});
      for (auto p = from; p != to; ++p) {
        const std::array<int, 4> train = {p->a, d[i], p->c, d[j]};
        if (InSet(set, train, 4)) out.push_back(train);
      }
    }
  std::sort(out.begin(), out.end());
  return out;
}

void ForEachTrain(
    const GearCounts& set,
    const std::function<void(const std::array<int, 4>&, int, const Fraction&)>& visit) {
  const std::vector<int>& d = set.distinct();
  for (int a : d)
    for (int b : d)
      if (Fraction ratio; InSet(set, {a, b, 0, 0}, 2) && MakeFraction(a, b, &ratio))
        visit({a, b, 0, 0}, 2, ratio);
  for (int a : d)
    for (int b : d)
      for (int c : d) {
        if (c < a) continue;
        for (int e : d) {
          if (e < b) continue;
          const std::array<int, 4> train = {a, b, c, e};
          Fraction ratio;
          if (InSet(set, train, 4) &&
              MakeFraction(std::int64_t{a} * c, std::int64_t{b} * e, &ratio))
            visit(train, 4, ratio);
        }
      }
}

}  // namespace cog
