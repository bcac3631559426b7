#include "gears/ratio_trains.h"

#include <algorithm>

namespace cog {

GearCounts::GearCounts(const std::vector<int>& gears) {
  for (int teeth : gears)
    if (teeth >= 0 && teeth < kSize && counts_[teeth]++ == 0) distinct_.push_back(teeth);
  std::sort(distinct_.begin(), distinct_.end());
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
  const std::vector<int>& d = set.distinct();
  for (int a : d)
    for (int b : d) {
      // What C/D must give: ratio · B/A, reduced; tooth counts keep it small.
      Fraction back, rest;
      if (!MakeFraction(b, a, &back) || !Multiply(ratio, back, &rest)) continue;
      if (rest.num > kMaxTeeth || rest.den > kMaxTeeth) continue;
      for (int c : d) {
        if (c < a || c % rest.num != 0) continue;
        const std::int64_t e = c / rest.num * rest.den;
        if (e < b || e > kMaxTeeth) continue;
        const std::array<int, 4> train = {a, b, c, static_cast<int>(e)};
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
