#include "lathe/train_arrangement.h"

#include <algorithm>
#include <array>

namespace cog {
namespace {

// The fit limits may be anything a geometry gives (an absent slot is the
// whole int64 range); tooth sums are a few thousand at most. Limits clamped
// to this compare with such sums exactly as before, and sums of a few of
// them cannot overflow.
constexpr std::int64_t kFar = std::int64_t{1} << 40;
std::int64_t Near(std::int64_t limit) { return std::clamp(limit, -kFar, kFar); }

// The least whole x with 2x >= v.
std::int64_t HalfUp(std::int64_t v) { return v >= 0 ? (v + 1) / 2 : -((-v) / 2); }

}  // namespace

Arranger::Arranger(const std::vector<int>& teeth, const std::vector<int>& counts,
                   const std::optional<FitLimits>& fit, bool keep_unfit, int first_driver)
    : teeth_(teeth),
      counts_(counts),
      fit_(fit),
      keep_unfit_(keep_unfit),
      first_driver_(first_driver) {}

bool Arranger::Available(const Group& drivers, const Group& driven) const {
  // Each group is one the set can provide; only tooth counts both use can
  // run short. Indices within a group ascend, so equal ones are adjacent.
  const int* const d_end = drivers.index + drivers.size;
  for (int k = 0; k < driven.size; ++k) {
    const int index = driven.index[k];
    if (k > 0 && driven.index[k - 1] == index) continue;
    const auto in_drivers = std::count(drivers.index, d_end, index);
    if (in_drivers == 0) continue;
    const auto in_driven = std::count(driven.index + k, driven.index + driven.size, index);
    if (in_drivers + in_driven > counts_[index]) return false;
  }
  return true;
}

bool Arranger::Arrange(const Group& drivers, const Group& driven, Candidate* c) const {
  if (!Available(drivers, driven)) return false;
  c->fits.reset();
  if (c->kind == TrainKind::kSimple) return ArrangeSimple(drivers, driven, c);
  // Drivers at even places and driven gears at odd ones, both ascending
  // after the first driver, which stays at A.
  const int size = driven.size, fixed = first_driver_ ? 1 : 0;
  c->count = 2 * size;
  if (fixed) c->gears[0] = first_driver_;
  for (int k = 0; k < size; ++k) {
    if (k >= fixed) c->gears[2 * k] = teeth_[drivers.index[k - fixed]];
    c->gears[2 * k + 1] = teeth_[driven.index[k]];
  }
  if (c->kind == TrainKind::kSix || !fit_) return true;
  return ArrangeCompound(c);
}

bool Arranger::ArrangeSimple(const Group& drivers, const Group& driven, Candidate* c) const {
  // The first driver is not one of the set's gears: it leaves every idler.
  const int ai = first_driver_ ? -1 : drivers.index[0], di = driven.index[0];
  const int a = first_driver_ ? first_driver_ : teeth_[ai], d = teeth_[di];
  const int n = static_cast<int>(teeth_.size());
  auto left = [&](int i) { return counts_[i] - (i == ai) - (i == di) > 0; };
  int smallest = 0;
  while (smallest < n && !left(smallest)) ++smallest;
  if (smallest == n) return false;
  c->count = 3;
  c->gears[0] = a;
  c->gears[1] = teeth_[smallest];
  c->gears[2] = d;
  if (!fit_) return true;
  // Only the reach and the slot involve the idler: they bound it to a range,
  // and the smallest idler left in that range is the one shown.
  const FitLimits& f = *fit_;
  const int gap = a > d ? a - d : d - a;
  if (a + d + 4 <= Near(f.apart_max) && gap <= Near(f.apart_max)) {
    const std::int64_t lo = std::max(HalfUp(Near(f.reach_min) - a - d), Near(f.slot_min) - d);
    const std::int64_t hi = Near(f.slot_max) - d;
    const auto first = std::lower_bound(teeth_.begin(), teeth_.end(), lo);
    for (int i = static_cast<int>(first - teeth_.begin()); i < n && teeth_[i] <= hi; ++i) {
      if (!left(i)) continue;
      const int gears[3] = {a, teeth_[i], d};
      if (TrainFits(f, gears, 3)) {
        c->gears[1] = teeth_[i];
        c->fits = true;
        return true;
      }
    }
  }
  c->fits = false;
  return keep_unfit_;
}

bool Arranger::ArrangeCompound(Candidate* c) const {
  // Its four arrangements in ascending order (two when A is the first
  // driver); the first that fits. The first of them is the one in place.
  const int a = c->gears[0], b = c->gears[1], cc = c->gears[2], d = c->gears[3];
  std::array<std::array<int, 4>, 4> ways = {
      {{a, b, cc, d}, {a, d, cc, b}, {cc, b, a, d}, {cc, d, a, b}}};
  const auto end = ways.begin() + (first_driver_ ? 2 : 4);
  std::sort(ways.begin(), end);
  for (auto way = ways.begin(); way != end; ++way) {
    if (TrainFits(*fit_, way->data(), 4)) {
      std::copy(way->begin(), way->end(), c->gears.begin());
      c->fits = true;
      return true;
    }
  }
  c->fits = false;
  return keep_unfit_;
}

bool Arranger::MayFit(TrainKind kind, const Group& drivers) const {
  if (!fit_ || kind == TrainKind::kSix) return true;
  const FitLimits& f = *fit_;
  const int smallest = teeth_.front(), largest = teeth_.back();
  // The smaller driver is the one most likely to fit as A, unless A is fixed.
  const int a = first_driver_ ? first_driver_ : teeth_[drivers.index[0]];
  if (kind == TrainKind::kSimple) return a + smallest + 4 <= Near(f.apart_max);
  const int c = teeth_[drivers.index[first_driver_ ? 0 : 1]];
  return a + 2 <= Near(f.a_tip_max) && smallest + 2 <= Near(f.d_tip_max) &&
         a + c + 2 * largest >= Near(f.reach_min);
}

void Arranger::FittingPartners(const Group& drivers, const std::vector<int>& where,
                               std::vector<int>* out) const {
  out->clear();
  const FitLimits& f = *fit_;
  const int n = static_cast<int>(teeth_.size());
  const int x = first_driver_ ? first_driver_ : teeth_[drivers.index[0]];
  const int y = teeth_[drivers.index[first_driver_ ? 0 : 1]];
  // A drives B at the front, C on B's shaft drives D: every rule of
  // TrainFits is linear in the tooth counts, so with A, B and C chosen the
  // rules leave D a range. The first driver is only ever A.
  for (int way = 0; way < (x == y || first_driver_ ? 1 : 2); ++way) {
    const int a = way ? y : x, c = way ? x : y;
    if (a + 2 > Near(f.a_tip_max)) continue;
    const std::int64_t b_low = Near(f.stud_room) + 2 + c - a;
    for (int bi = static_cast<int>(std::lower_bound(teeth_.begin(), teeth_.end(), b_low) -
                                   teeth_.begin());
         bi < n; ++bi) {
      const int b = teeth_[bi];
      const std::int64_t lo =
          std::max({Near(f.screw_room) + 2 + b - c, Near(f.reach_min) - a - b - c,
                    a + b - c - Near(f.apart_max), Near(f.slot_min) - c});
      const std::int64_t hi =
          std::min({Near(f.d_tip_max) - 2, a + b - c + Near(f.apart_max), Near(f.slot_max) - c});
      if (lo > hi) continue;
      for (int di = static_cast<int>(std::lower_bound(teeth_.begin(), teeth_.end(), lo) -
                                     teeth_.begin());
           di < n && teeth_[di] <= hi; ++di) {
        const int j = where[std::min(bi, di) * n + std::max(bi, di)];
        if (j < 0) continue;
        Group driven;
        driven.size = 2;
        driven.index[0] = std::min(bi, di);
        driven.index[1] = std::max(bi, di);
        const int gears[4] = {a, b, c, teeth_[di]};
        if (Available(drivers, driven) && TrainFits(f, gears, 4)) out->push_back(j);
      }
    }
  }
  std::sort(out->begin(), out->end());
  out->erase(std::unique(out->begin(), out->end()), out->end());
}

}  // namespace cog
