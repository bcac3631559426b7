#pragma once
// The plain exact search of gear trains from a set, with no banjo and no
// machine: which driver/driven pairs and which compound trains (A·C)/(B·D)
// give a ratio, and every train of a set with its ratio.
//
// The set is a multiset, one entry per physical gear: a tooth count listed
// twice may be used twice in one train, each physical gear at most once. A
// compound train is A on the first shaft driving B, C on B's shaft driving D;
// since A·C/(B·D) does not change when the two drivers or the two driven
// gears change places, each train is reported once, as A <= C and B <= D.
// Trains come in ascending order of their gears.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "gears/fraction.h"
#include "gears/gear_set.h"

namespace cog {

struct GearCounts {
  // counts[t]: how many gears of t teeth the set holds. REQUIRES: every
  // tooth count from kMinTeeth to kMaxTeeth (gears/gear_set.h).
  explicit GearCounts(const std::vector<int>& gears);
  int count(int teeth) const { return teeth >= 0 && teeth < kSize ? counts_[teeth] : 0; }
  const std::vector<int>& distinct() const { return distinct_; }  // ascending
  // Every product a·c of two tooth counts of the set, a <= c, by product:
  // the drivers of compound trains, looked up rather than searched.
  struct Product {
    std::int64_t value;
    int a, c;
    friend bool operator<(const Product& x, const Product& y) { return x.value < y.value; }
  };
  const std::vector<Product>& products() const { return products_; }
  // Whether value is a·c for two tooth counts of the set (whether the set
  // holds both gears is InSet's question): one bit per value up to the
  // largest product, so a ratio's multiples are tried without a search.
  bool IsProduct(std::int64_t value) const {
    return value >= 0 && value <= largest_product_ &&
           (is_product_[static_cast<std::size_t>(value) / 64] >> (value % 64) & 1) != 0;
  }
  std::int64_t largest_product() const { return largest_product_; }

 private:
  static constexpr int kSize = 301;
  std::array<int, kSize> counts_{};
  std::vector<int> distinct_;
  std::vector<Product> products_;
  std::int64_t largest_product_ = -1;
  std::vector<std::uint64_t> is_product_;
};

// Every (driver, driven) with driver/driven == ratio. REQUIRES: ratio > 0.
std::vector<std::array<int, 2>> SimplePairsFor(const GearCounts& set, const Fraction& ratio);

// Every compound train {A, B, C, D} with A·C/(B·D) == ratio, A <= C, B <= D.
// REQUIRES: ratio > 0.
std::vector<std::array<int, 4>> CompoundTrainsFor(const GearCounts& set, const Fraction& ratio);

// True when the set holds the first n gears of `gears` at once (a tooth count
// used k times needs k gears of it).
bool InSet(const GearCounts& set, const std::array<int, 4>& gears, int n);

// Calls visit(gears, n, ratio) for every simple pair (n = 2, the first two
// entries) and then every compound train (n = 4, A <= C, B <= D) of the set.
void ForEachTrain(
    const GearCounts& set,
    const std::function<void(const std::array<int, 4>&, int, const Fraction&)>& visit);

}  // namespace cog
