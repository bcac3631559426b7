#include "lathe/testing/brute_force_trains.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "numtext/testing/long_double_bits.h"

namespace cog::testing {
namespace {

using Int = __int128;

Int Gcd(Int a, Int b) {
  if (a < 0) a = -a;
  while (b != 0) {
    const Int t = a % b;
    a = b;
    b = t < 0 ? -t : t;
  }
  return a;
}

struct Rat {
  Int n = 0, d = 1;
  Rat() = default;
  Rat(Int num, Int den) : n(num), d(den) {
    if (d < 0) n = -n, d = -d;
    const Int g = Gcd(n, d);
    if (g > 1) n /= g, d /= g;
  }
  Rat(const Fraction& f) : Rat(f.num, f.den) {}
};
Rat operator+(Rat a, Rat b) { return Rat(a.n * b.d + b.n * a.d, a.d * b.d); }
Rat operator-(Rat a, Rat b) { return Rat(a.n * b.d - b.n * a.d, a.d * b.d); }
Rat operator*(Rat a, Rat b) { return Rat(a.n * b.n, a.d * b.d); }
Rat operator/(Rat a, Rat b) { return Rat(a.n * b.d, a.d * b.n); }
bool operator<=(Rat a, Rat b) { return a.n * b.d <= b.n * a.d; }
Rat Teeth(int t) { return Rat(t, 1); }

// Every rule of the banjo, as "needed <= available".
bool Fits(const Geometry& geo, const std::vector<int>& g) {
  const Rat m = geo.module, dc = geo.centre_distance, half(1, 2);
  const Rat stud = Rat(geo.stud_shaft) * half, screw = Rat(geo.leadscrew_shaft) * half;
  auto pitch = [&](int a, int b) { return m * Teeth(a + b) * half; };
  auto tip = [&](int t) { return m * Teeth(t + 2) * half; };
  Rat l1, l2;
  bool ok = true;
  if (g.size() == 3) {
    l1 = pitch(g[0], g[1]);
    l2 = pitch(g[1], g[2]);
    ok = m * Teeth(g[0] + g[2] + 4) * half <= dc;
  } else {
    l1 = pitch(g[0], g[1]);
    l2 = pitch(g[2], g[3]);
    ok = tip(g[2]) + stud <= l1 && tip(g[1]) + screw <= l2 && tip(g[0]) + screw <= dc &&
         tip(g[3]) + stud <= dc;
  }
  const Rat gap = l2 <= l1 ? l1 - l2 : l2 - l1;
  ok = ok && gap <= dc && dc <= l1 + l2;
  if (geo.slot) ok = ok && Rat(geo.slot->first) <= l2 && l2 <= Rat(geo.slot->second);
  return ok;
}

// Drivers and driven gears of an arrangement, as sorted multisets.
std::pair<std::vector<int>, std::vector<int>> Sides(const std::vector<int>& g) {
  std::vector<int> drivers, driven;
  if (g.size() == 3) return {{g[0]}, {g[2]}};
  for (std::size_t k = 0; k < g.size(); ++k) (k % 2 ? driven : drivers).push_back(g[k]);
  std::sort(drivers.begin(), drivers.end());
  std::sort(driven.begin(), driven.end());
  return {drivers, driven};
}

// Every train the lathe can set up, each physical gear (loose, keyed pair,
// first driver) used at most once. `slots` spells the train: 'A' the first
// driver when there is one, else a loose gear; 'L' a loose gear; 'S' a
// middle shaft's two gears, two loose ones or a keyed pair either way round.
struct Lathe {
  const std::vector<int>& loose;
  const std::vector<std::pair<int, int>>& keyed;
  std::optional<int> first_driver;
};

template <typename Visit>
void Build(const Lathe& lathe, const char* slots, std::vector<int>& picked,
           std::vector<bool>& taken, std::vector<bool>& keyed_taken, Visit visit) {
  if (*slots == 0) return visit(picked);
  if (*slots == 'A' && lathe.first_driver) {
    picked.push_back(*lathe.first_driver);
    Build(lathe, slots + 1, picked, taken, keyed_taken, visit);
    picked.pop_back();
    return;
  }
  if (*slots == 'S') {
    for (std::size_t k = 0; k < lathe.keyed.size(); ++k) {
      if (keyed_taken[k]) continue;
      keyed_taken[k] = true;
      const auto [p, q] = lathe.keyed[k];
      for (const auto& [b, c] : {std::pair{p, q}, std::pair{q, p}}) {
        picked.push_back(b);
        picked.push_back(c);
        Build(lathe, slots + 1, picked, taken, keyed_taken, visit);
        picked.resize(picked.size() - 2);
      }
      keyed_taken[k] = false;
    }
  }
  // One loose gear, or the first of two for a shaft ('S' goes on as 'L').
  static const char kLoose[] = "L";
  for (std::size_t i = 0; i < lathe.loose.size(); ++i) {
    if (taken[i]) continue;
    taken[i] = true;
    picked.push_back(lathe.loose[i]);
    if (*slots == 'S') {
      std::string rest = std::string(kLoose) + (slots + 1);
      Build(lathe, rest.c_str(), picked, taken, keyed_taken, visit);
    } else {
      Build(lathe, slots + 1, picked, taken, keyed_taken, visit);
    }
    picked.pop_back();
    taken[i] = false;
  }
}

Rat Abs(Rat r) { return Rat(r.n < 0 ? -r.n : r.n, r.d); }

}  // namespace

std::vector<ReferenceRow> BruteForceTrains(const LatheProfile& profile, const Lead& target,
                                           bool keep_unfit) {
  using Key = std::tuple<int, std::vector<int>, std::vector<int>, int>;
  std::map<Key, std::vector<std::vector<int>>> arrangements;
  const int positions = std::max<int>(1, static_cast<int>(profile.gearbox.size()));
  for (int kind : {2, 4, 6}) {
    if (!profile.trains[kind / 2 - 1]) continue;
    std::vector<int> picked;
    std::vector<bool> taken(profile.gears.size()), keyed_taken(profile.keyed.size());
    const Lathe lathe{profile.gears, profile.keyed, profile.first_driver};
    const char* slots = kind == 2 ? "ALL" : kind == 4 ? "ASL" : "ASSL";
    Build(lathe, slots, picked, taken, keyed_taken, [&](const std::vector<int>& g) {
      auto [drivers, driven] = Sides(g);
      for (int p = 0; p < positions; ++p)
        arrangements[{kind, drivers, driven, profile.gearbox.empty() ? -1 : p}].push_back(g);
    });
  }
  std::vector<ReferenceRow> rows;
  for (auto& [key, list] : arrangements) {
    std::sort(list.begin(), list.end());
    ReferenceRow row;
    std::tie(row.kind, std::ignore, std::ignore, row.gearbox) = key;
    row.gears = list.front();
    // A I D: A-I and I-D; A B C D: A-B and C-D; six: A-B, C-D and E-F.
    const int meshes = row.kind == 2 ? 2 : row.kind / 2;
    row.normal_hand = meshes % 2 == 0 ? Hand::kRight : Hand::kLeft;
    if (profile.geometry && row.kind != 6) {
      row.fits = false;
      for (const auto& g : list) {
        if (Fits(*profile.geometry, g)) {
          row.gears = g;
          row.fits = true;
          break;
        }
      }
      if (!*row.fits && !keep_unfit) continue;
    }
    Rat train(1, 1);
    const auto& [drivers, driven] = Sides(row.gears);
    for (int t : drivers) train = train * Teeth(t);
    for (int t : driven) train = train / Teeth(t);
    const Rat position = row.gearbox < 0 ? Rat(1, 1) : Rat(profile.gearbox[row.gearbox].ratio);
    const Rat ratio = Rat(profile.fixed_ratio) * position * train;
    const Rat lead = ratio * Rat(profile.leadscrew_mm);
    row.ratio_num = ratio.n;
    row.ratio_den = ratio.d;
    const long double cut = static_cast<long double>(static_cast<std::int64_t>(lead.n)) /
                            static_cast<long double>(static_cast<std::int64_t>(lead.d));
    if (target.exact) {
      const Rat e = lead / Rat(target.mm) - Rat(1, 1);
      row.error_num = e.n;
      row.error_den = e.d;
      row.error_approx = static_cast<long double>(e.n) / static_cast<long double>(e.d);
    } else {
      row.error_approx = cut / ToLongDouble(target.approx_mm) - 1;
    }
    rows.push_back(std::move(row));
  }
  auto magnitude_less = [&](const ReferenceRow& a, const ReferenceRow& b) {
    if (target.exact)
      return !(Abs(Rat(b.error_num, b.error_den)) <= Abs(Rat(a.error_num, a.error_den)));
    return std::fabs(a.error_approx) < std::fabs(b.error_approx);
  };
  std::sort(rows.begin(), rows.end(), [&](const ReferenceRow& a, const ReferenceRow& b) {
    if (magnitude_less(a, b)) return true;
    if (magnitude_less(b, a)) return false;
    return std::tie(a.kind, a.gears, a.gearbox) < std::tie(b.kind, b.gears, b.gearbox);
  });
  return rows;
}

Hand CutsHand(const LatheProfile& profile, Hand hand, const ReferenceRow& row) {
  return profile.tumbler ? hand : row.normal_hand;
}

}  // namespace cog::testing
