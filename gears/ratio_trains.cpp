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
  if (products_.empty()) return;
  largest_product_ = products_.back().value;
  is_product_.assign(static_cast<std::size_t>(largest_product_) / 64 + 1, 0);
  for (const Product& p : products_)
    is_product_[static_cast<std::size_t>(p.value) / 64] |= std::uint64_t{1} << (p.value % 64);
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

namespace {

// The pairs of the set whose product is value, as a range of products().
std::pair<std::vector<GearCounts::Product>::const_iterator,
          std::vector<GearCounts::Product>::const_iterator>
PairsOf(const GearCounts& set, std::int64_t value) {
  return std::equal_range(set.products().begin(), set.products().end(),
                          GearCounts::Product{value, 0, 0});
}

}  // namespace

std::vector<std::array<int, 4>> CompoundTrainsFor(const GearCounts& set, const Fraction& ratio) {
  std::vector<std::array<int, 4>> out;
  // Reduced, A·C/(B·D) = num/den means A·C = k·num and B·D = k·den for a
  // whole k, both products of the set: none when either part is above the
  // largest product.
  const std::int64_t most = set.largest_product();
  if (ratio.num > most || ratio.den > most) return out;
  const auto add = [&](std::int64_t driver, std::int64_t driven) {
    const auto [a_from, a_to] = PairsOf(set, driver);
    const auto [b_from, b_to] = PairsOf(set, driven);
    for (auto a = a_from; a != a_to; ++a)
      for (auto b = b_from; b != b_to; ++b)
        if (const std::array<int, 4> train = {a->a, b->a, a->c, b->c}; InSet(set, train, 4))
          out.push_back(train);
  };
  // The chart asks millions of ratios, nearly all with large parts and no
  // train: walk whichever is shorter, the multiples k or the driven products.
  const std::int64_t multiples = most / std::max(ratio.num, ratio.den);
  if (multiples <= static_cast<std::int64_t>(set.products().size())) {
    for (std::int64_t k = 1; k <= multiples; ++k)
      if (set.IsProduct(k * ratio.den) && set.IsProduct(k * ratio.num))
        add(k * ratio.num, k * ratio.den);
  } else {
    for (auto p = set.products().begin(); p != set.products().end(); ++p) {
      if (p != set.products().begin() && (p - 1)->value == p->value) continue;
      if (p->value % ratio.den == 0 && set.IsProduct(p->value / ratio.den * ratio.num))
        add(p->value / ratio.den * ratio.num, p->value);
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
