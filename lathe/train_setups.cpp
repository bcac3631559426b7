#include "lathe/train_setups.h"

#include <algorithm>
#include <array>
#include <set>

namespace cog {
namespace {

// The ways one keyed pair can stand: as (driven gear, driver gear).
std::vector<std::pair<int, int>> Ways(const std::pair<int, int>& pair) {
  if (pair.first == pair.second) return {pair};
  return {pair, {pair.second, pair.first}};
}

}  // namespace

bool MakeSetups(const LatheProfile& profile, TrainKind kind, std::vector<TrainSetup>* out) {
  out->clear();
  const int first = profile.first_driver.value_or(0);
  const int size = static_cast<int>(kind) / 2, fixed = first ? 1 : 0;
  const Fraction base = first ? Whole(first) : Whole(1);
  out->push_back({kind, size - fixed, size, {}, base});
  if (kind == TrainKind::kSimple) return true;
  // Pairs listed twice, or a pair of two equal gears turned round, make the
  // same trains: each set of tooth counts in place is searched once.
  std::set<std::vector<std::pair<int, int>>> seen;
  auto add = [&](std::vector<std::pair<int, int>> keyed) {
    std::sort(keyed.begin(), keyed.end());
    if (!seen.insert(keyed).second) return true;
    TrainSetup setup{kind, size - fixed - static_cast<int>(keyed.size()),
                     size - static_cast<int>(keyed.size()), keyed, base};
    for (const auto& [driven, driver] : keyed) {
      Fraction step;
      if (!MakeFraction(driver, driven, &step) || !Multiply(setup.factor, step, &setup.factor))
        return false;
    }
    out->push_back(std::move(setup));
    return true;
  };
  const std::size_t n = profile.keyed.size();
  for (std::size_t i = 0; i < n; ++i)
    for (const auto& way : Ways(profile.keyed[i]))
      if (!add({way})) return false;
  if (kind != TrainKind::kSix) return true;
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      for (const auto& one : Ways(profile.keyed[i]))
        for (const auto& two : Ways(profile.keyed[j]))
          if (!add({one, two})) return false;
  return true;
}

KeyedArranger::KeyedArranger(const LatheProfile& profile, const std::vector<int>& teeth,
                             const std::vector<int>& counts, const std::optional<FitLimits>& fit,
                             bool keep_unfit)
    : first_driver_(profile.first_driver.value_or(0)),
      teeth_(teeth),
      counts_(counts),
      fit_(fit),
      keep_unfit_(keep_unfit) {
  for (const auto& [p, q] : profile.keyed) pairs_.emplace_back(std::min(p, q), std::max(p, q));
}

bool KeyedArranger::Loose(std::vector<int>& needed) const {
  std::sort(needed.begin(), needed.end());
  for (std::size_t k = 0; k < needed.size();) {
    std::size_t end = k;
    while (end < needed.size() && needed[end] == needed[k]) ++end;
    const auto at = std::lower_bound(teeth_.begin(), teeth_.end(), needed[k]);
    if (at == teeth_.end() || *at != needed[k] ||
        counts_[at - teeth_.begin()] < static_cast<int>(end - k))
      return false;
    k = end;
  }
  return true;
}

bool KeyedArranger::Makes(const TrainSetup& setup, const std::vector<int>& drivers,
                          const std::vector<int>& driven) const {
  std::vector<int> left = drivers, right = driven;
  auto take = [](std::vector<int>& from, int teeth) {
    const auto it = std::find(from.begin(), from.end(), teeth);
    if (it == from.end()) return false;
    from.erase(it);
    return true;
  };
  if (first_driver_ && !take(left, first_driver_)) return false;
  for (const auto& [p, q] : setup.keyed)
    if (!take(right, p) || !take(left, q)) return false;
  left.insert(left.end(), right.begin(), right.end());
  return Loose(left);
}

bool KeyedArranger::Realizable(const int* gears, int count) const {
  // Each middle shaft (B C, and D E of six) is a keyed pair or two loose gears.
  const int shafts = count == 6 ? 2 : 1;
  for (int mask = 0; mask < (1 << shafts); ++mask) {
    std::vector<std::pair<int, int>> used;
    bool ok = true;
    for (int s = 0; s < shafts && ok; ++s) {
      if (!(mask & (1 << s))) continue;
      const int b = gears[1 + 2 * s], c = gears[2 + 2 * s];
      used.emplace_back(std::min(b, c), std::max(b, c));
      ok = std::count(pairs_.begin(), pairs_.end(), used.back()) >=
           std::count(used.begin(), used.end(), used.back());
    }
    if (!ok) continue;
    std::vector<int> loose;
    for (int k = first_driver_ ? 1 : 0; k < count; ++k) {
      const int shaft = (k - 1) / 2;
      if (k >= 1 && k <= 2 * shafts && (mask & (1 << shaft))) continue;
      loose.push_back(gears[k]);
    }
    if (Loose(loose)) return true;
  }
  return false;
}

bool KeyedArranger::Arrange(const std::vector<TrainSetup>& setups, std::size_t s,
                            const Group& drivers, const Group& driven, Candidate* c) const {
  const TrainSetup& setup = setups[s];
  std::vector<int> left, right;
  if (first_driver_) left.push_back(first_driver_);
  for (const auto& [p, q] : setup.keyed) {
    right.push_back(p);
    left.push_back(q);
  }
  for (int k = 0; k < drivers.size; ++k) left.push_back(teeth_[drivers.index[k]]);
  for (int k = 0; k < driven.size; ++k) right.push_back(teeth_[driven.index[k]]);
  std::sort(left.begin(), left.end());
  std::sort(right.begin(), right.end());
  if (!Makes(setup, left, right)) return false;
  for (std::size_t i = 0; i < s; ++i)
    if (Makes(setups[i], left, right)) return false;
  // Every order of the drivers (A fixed when it is the first driver) with
  // every order of the driven gears, ascending; the first that some setup
  // can make and that fits.
  std::vector<int> rest = left;
  if (first_driver_) rest.erase(std::find(rest.begin(), rest.end(), first_driver_));
  const int count = 2 * static_cast<int>(right.size());
  std::vector<std::array<int, 6>> ways;
  do {
    std::vector<int> order = right;
    do {
      std::array<int, 6> way{};
      for (int k = 0; k < count / 2; ++k) {
        way[2 * k] = first_driver_ ? (k == 0 ? first_driver_ : rest[k - 1]) : rest[k];
        way[2 * k + 1] = order[k];
      }
      ways.push_back(way);
    } while (std::next_permutation(order.begin(), order.end()));
  } while (std::next_permutation(rest.begin(), rest.end()));
  std::sort(ways.begin(), ways.end());
  c->count = count;
  c->fits.reset();
  bool shown = false;
  for (const auto& way : ways) {
    if (!Realizable(way.data(), count)) continue;
    if (!shown) {
      std::copy(way.begin(), way.end(), c->gears.begin());
      shown = true;
    }
    if (c->kind == TrainKind::kSix || !fit_) return true;
    if (TrainFits(*fit_, way.data(), 4)) {
      std::copy(way.begin(), way.end(), c->gears.begin());
      c->fits = true;
      return true;
    }
  }
  if (!shown) return false;
  c->fits = false;
  return keep_unfit_;
}

}  // namespace cog
