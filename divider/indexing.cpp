#include "divider/indexing.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <tuple>

#include "divider/divide_work.h"

namespace cog {
namespace {

// T's whole turns and fractional part (num/den, num 0 when T is whole).
struct Split {
  std::int64_t turns, num, den;
};
Split SplitTurns(const Fraction& t) { return {t.num / t.den, t.num % t.den, t.den}; }

// x with a·x = 1 (mod m), for coprime a and m; 0 when m is 1.
std::int64_t InverseModulo(std::int64_t a, std::int64_t m) {
  std::int64_t r0 = m, r1 = a, x0 = 0, x1 = 1;
  while (r1 != 0) {
    const std::int64_t q = r0 / r1;
    std::tie(r0, r1) = std::make_pair(r1, r0 - q * r1);
    std::tie(x0, x1) = std::make_pair(x1, x0 - q * x1);
  }
  return m == 1 ? 0 : (x0 % m + m) % m;
}

std::tuple<int, int, int, bool, int> CompoundKey(const Way& w) {
  return {w.crank.holes + w.plate_holes, w.crank.circle, w.plate_circle, !w.plate_with,
          w.crank.plate};
}

}  // namespace

int RankClass(const Way& way) {
  switch (way.method) {
    case Method::kDirect:
      return 0;
    case Method::kSimple:
      return 1;
    case Method::kDifferential:
      return way.compound_train ? 3 : 2;
    case Method::kCompound:
      return 4;
  }
  return 5;
}

Indexer::Indexer(const DividingHead& head)
    : head_(head), gears_(head.differential ? head.gears : std::vector<int>{}) {
  for (std::size_t p = 0; p < head.plates.size(); ++p)
    for (int holes : head.plates[p])
      if (std::none_of(circles_.begin(), circles_.end(),
                       [&](const Circle& c) { return c.holes == holes; }))
        circles_.push_back({holes, static_cast<int>(p) + 1});
  std::sort(circles_.begin(), circles_.end(),
            [](const Circle& a, const Circle& b) { return a.holes < b.holes; });
  if (gears_.distinct().empty()) return;
  const int low = gears_.distinct().front(), high = gears_.distinct().back();
  lowest_ = Fraction{1, 1};
  highest_ = Fraction{1, 1};
  // Squares of tooth counts (at most 300) always make a fraction.
  if (!MakeFraction(std::int64_t{low} * low, std::int64_t{high} * high, &lowest_) ||
      !MakeFraction(std::int64_t{high} * high, std::int64_t{low} * low, &highest_))
    return;
  // A has a simple move when R/A = k/c for a circle c (or is whole: c = 1),
  // so A = p·c/(q·k): every divisor d = q·k of p·c gives one. A is at most
  // p·c, below 10^9 within the caps on ratios and holes, so it fits an int.
  const std::int64_t p = head.ratio.num, q = head.ratio.den;
  std::set<std::int64_t> seen;
  std::vector<int> holes = {1};
  for (const Circle& c : circles_) holes.push_back(c.holes);
  for (int c : holes) {
    const std::int64_t pc = p * c;
    for (std::int64_t i = 1; i * i <= pc; ++i) {
      if (pc % i != 0) continue;
      for (std::int64_t d : {i, pc / i})
        if (d % q == 0) seen.insert(pc / d);
    }
  }
  for (std::int64_t a : seen) {
    Fraction turns;
    if (!MakeFraction(p, q * a, &turns)) continue;
    if (std::optional<CrankMove> move = SimpleMove(turns)) approximates_.emplace_back(a, *move);
  }
}

std::optional<CrankMove> Indexer::SimpleMove(const Fraction& turns) const {
  const Split s = SplitTurns(turns);
  if (s.num == 0) return CrankMove{s.turns, 0, 0, 0};
  for (const Circle& c : circles_)
    if (c.holes % s.den == 0)
      return CrankMove{s.turns, static_cast<int>(s.num * (c.holes / s.den)), c.holes, c.plate};
  return std::nullopt;
}

std::int64_t Indexer::DifferentialReach(int n) const {
  if (approximates_.empty()) return 0;
  // |G| = R·|A - N|/A <= H, the largest ratio of the gears: A from R·N/(R + H)
  // up to R·N/(R - H), no end above when R <= H. The A at which the walk stops
  // costs a division only. A weight, not an answer: doubles are close enough.
  const double r = ToDouble(head_.ratio), h = ToDouble(highest_);
  const auto up_to = [&](double a) {
    return std::upper_bound(approximates_.begin(), approximates_.end(), a,
                            [](double v, const auto& e) { return v < e.first; }) -
           approximates_.begin();
  };
  const std::int64_t below = up_to(std::nextafter(r * n / (r + h), 0.0));
  const std::int64_t within =
      r > h ? up_to(r * n / (r - h)) : static_cast<std::int64_t>(approximates_.size());
  return within - below;
}

void Indexer::Simple(const Fraction& turns, std::vector<Way>* out) const {
  const Split s = SplitTurns(turns);
  if (s.num == 0) {
    out->push_back(Way{Method::kSimple, {s.turns, 0, 0, 0}});
    return;
  }
  for (const Circle& c : circles_)
    if (c.holes % s.den == 0)
      out->push_back(Way{Method::kSimple,
                         {s.turns, static_cast<int>(s.num * (c.holes / s.den)), c.holes, c.plate}});
}

void Indexer::Compound(const Fraction& turns, int top, std::vector<Way>* out) const {
  const Split s = SplitTurns(turns);
  if (s.num == 0) return;
  std::vector<Way> found;
  std::set<std::tuple<int, int, int, int, bool>> seen;  // the same move on a later plate
  for (std::size_t p = 0; p < head_.plates.size(); ++p)
    for (int c1 : head_.plates[p])
      for (int c2 : head_.plates[p]) {
        if (c1 == c2) continue;
        // In units of 1/L: h1·(L/c1) ± h2·(L/c2) must make the fraction.
        const std::int64_t l = std::lcm<std::int64_t>(c1, c2);
        if (l % s.den != 0) continue;
        const std::int64_t f = s.num * (l / s.den), u1 = l / c1, u2 = l / c2;
        // u1 and u2 are coprime, so h2 is whole only for h1 = f/u1 (mod u2):
        // gcd(c1, c2) candidates rather than c1.
        const std::int64_t first = f % u2 * InverseModulo(u1 % u2, u2) % u2;
        for (std::int64_t h1 = first > 0 ? first : u2; h1 < c1; h1 += u2) {
          const std::int64_t rest = f - h1 * u1;
          if (rest == 0 || rest % u2 != 0) continue;
          const std::int64_t h2 = (rest > 0 ? rest : -rest) / u2;
          if (h2 >= c2 ||
              !seen.insert({c1, c2, static_cast<int>(h1), static_cast<int>(h2), rest > 0}).second)
            continue;
          Way way{Method::kCompound, {s.turns, static_cast<int>(h1), c1, static_cast<int>(p) + 1}};
          way.plate_holes = static_cast<int>(h2);
          way.plate_circle = c2;
          way.plate_with = rest > 0;
          found.push_back(way);
        }
      }
  const std::size_t keep = std::min(found.size(), static_cast<std::size_t>(top));
  std::partial_sort(found.begin(), found.begin() + keep, found.end(),
                    [](const Way& a, const Way& b) { return CompoundKey(a) < CompoundKey(b); });
  out->insert(out->end(), found.begin(), found.begin() + keep);
}

bool Indexer::Differential(int n, int top, std::vector<Way>* out) const {
  if (approximates_.empty()) return true;
  const Fraction r = head_.ratio;
  // Outward from N: the nearer A first, on a tie the larger.
  auto up = std::lower_bound(approximates_.begin(), approximates_.end(), std::int64_t{n},
                             [](const auto& e, std::int64_t v) { return e.first < v; });
  if (up != approximates_.end() && up->first == n) ++up;
  auto down = std::lower_bound(approximates_.begin(), approximates_.end(), std::int64_t{n},
                               [](const auto& e, std::int64_t v) { return e.first < v; });
  bool up_open = up != approximates_.end(), down_open = down != approximates_.begin();
  std::vector<Way> simple, compound;
  while ((up_open || down_open) && static_cast<int>(simple.size()) < top) {
    const bool take_up = up_open && (!down_open || up->first - n <= n - (down - 1)->first);
    const auto& [a, move] = take_up ? *up : *(down - 1);
    if (take_up)
      up_open = ++up != approximates_.end();
    else
      down_open = --down != approximates_.begin();
    // |G| = R·|A - N|/A grows as A moves away from N on either side.
    Fraction g;
    if (!Multiply(r, Fraction{a > n ? a - n : n - a, 1}, &g) || !Divide(g, Whole(a), &g))
      return false;
    if (Compare(g, highest_) > 0) {
      (take_up ? up_open : down_open) = false;
      continue;
    }
    if (Compare(g, lowest_) < 0) continue;
    const bool with = a > n;
    Way way{Method::kDifferential, move};
    way.approximate = static_cast<int>(a);
    way.plate_turns_with = with;
    const std::vector<std::array<int, 2>> pairs = SimplePairsFor(gears_, g);
    if (!pairs.empty()) {
      way.gears = {pairs[0][0], pairs[0][1], 0, 0};
      // Meshes 1 + idlers: even turns the plate with the crank.
      way.idlers = (with != head_.reverse) ? 1 : 2;
      simple.push_back(way);
    }
    if (static_cast<int>(compound.size()) < top) {
      const std::vector<std::array<int, 4>> trains = CompoundTrainsFor(gears_, g);
      if (!trains.empty()) {
        way.compound_train = true;
        way.gears = trains[0];
        way.idlers = (with != head_.reverse) ? 0 : 1;
        compound.push_back(way);
      }
    }
  }
  out->insert(out->end(), simple.begin(), simple.end());
  out->insert(out->end(), compound.begin(), compound.end());
  return true;
}

bool Indexer::Ways(const Fraction& turns, std::optional<int> divisions, int top,
                   std::vector<Way>* out) const {
  out->clear();
  if (divisions) {
    std::vector<int> direct = head_.direct;
    std::sort(direct.begin(), direct.end());
    for (int d : direct)
      if (d % *divisions == 0) out->push_back(Way{Method::kDirect, {0, d / *divisions, d, 0}});
  }
  Simple(turns, out);
  const auto short_of = [&] { return static_cast<int>(out->size()) < top; };
  if (divisions && head_.differential && short_of() &&
      !Differential(*divisions, top - static_cast<int>(out->size()), out))
    return false;
  if (short_of()) Compound(turns, top - static_cast<int>(out->size()), out);
  if (!short_of()) out->resize(top);
  return true;
}

bool Indexer::WaysForDivisions(int divisions, int top, DivideAnswer* out,
                               std::string* error) const {
  *out = DivideAnswer{};
  out->divisions = divisions;
  if (!Divide(head_.ratio, Whole(divisions), &out->crank_turns) ||
      !Ways(out->crank_turns, divisions, top, &out->ways))
    return *error = "the head's ratio is too fine to index exactly", false;
  return true;
}

bool Indexer::WaysForAngle(const Fraction& degrees, int top, DivideAnswer* out,
                           std::string* error) const {
  *out = DivideAnswer{};
  out->degrees = degrees;
  Fraction turns;
  if (!Multiply(degrees, head_.ratio, &turns) || !Divide(turns, Whole(360), &out->crank_turns) ||
      !Ways(out->crank_turns, std::nullopt, top, &out->ways))
    return *error = "the angle is too fine to index exactly on this head", false;
  return true;
}

bool HelixTrains(const DividingHead& head, const Fraction& lead_mm,
                 const Fraction& max_error_percent, int top, bool keep_all, HelixAnswer* out,
                 std::string* error, std::string* input) {
  std::string ignored;
  if (!input) input = &ignored;
  *input = "head";
  if (head.gears.empty())
    return *error = "the head has no \"gears\" to gear the table to the head", false;
  if (!head.table_leadscrew_mm)
    return *error = "the head file gives no \"table_leadscrew\" (the milling table's lead screw)",
           false;
  if (!CheckHelixSteps(head, error)) return false;
  *out = HelixAnswer{};
  out->lead_mm = lead_mm;
  out->max_error_percent = max_error_percent;
  Fraction tolerance;
  if (!Multiply(head.ratio, *head.table_leadscrew_mm, &out->machine_lead_mm))
    return *error = "the head's ratio and lead screw are too fine to compute exactly", false;
  if (!Divide(max_error_percent, Whole(100), &tolerance))
    return *input = "max_error", *error = "the tolerance is too fine to compute exactly", false;
  const auto better = [](const HelixTrain& a, const HelixTrain& b) {
    const int by_error = CompareMagnitude(a.error, b.error);
    if (by_error != 0) return by_error < 0;
    if (a.size != b.size) return a.size < b.size;
    return a.gears < b.gears;
  };
  std::vector<HelixTrain>& kept = out->trains;
  bool exact = true;
  // Most trains are far off: a double estimate of |error| skips those that
  // cannot beat the worst of the best `top` kept so far (or the tolerance),
  // with a margin far above the estimate's rounding, before any exact work.
  const double scale = ToDouble(out->machine_lead_mm) / ToDouble(lead_mm);
  const double tolerance_estimate = ToDouble(tolerance);
  double bound = keep_all ? HUGE_VAL : tolerance_estimate;
  ForEachTrain(GearCounts(head.gears), [&](const std::array<int, 4>& gears, int size,
                                           const Fraction& ratio) {
    const double estimate =
        std::fabs(scale * static_cast<double>(ratio.den) / static_cast<double>(ratio.num) - 1);
    if (estimate > bound * (1 + 1e-9) + 1e-15) return;
    HelixTrain t;
    t.size = size;
    t.gears = gears;
    t.ratio = ratio;
    Fraction quotient;
    if (!Divide(out->machine_lead_mm, ratio, &t.lead_mm) ||
        !Divide(t.lead_mm, lead_mm, &quotient) || !Subtract(quotient, Whole(1), &t.error))
      return void(exact = false);
    t.within = CompareMagnitude(t.error, tolerance) <= 0;
    if (!t.within && !keep_all) return;
    kept.push_back(t);
    // Bounded work: the best `top` so far, cut back whenever the list doubles.
    if (kept.size() >= 2 * static_cast<std::size_t>(top) + 64) {
      std::nth_element(kept.begin(), kept.begin() + top, kept.end(), better);
      kept.resize(top);
      double worst = 0;
      for (const HelixTrain& k : kept) worst = std::max(worst, std::fabs(ToDouble(k.error)));
      bound = std::min(bound, worst);
    }
  });
  // Within the caps a head's own figures stay small: the lead asked is what
  // leaves the exact range.
  if (!exact)
    return *input = "lead",
           *error = "the lead is too long or too fine to compute exactly on this head", false;
  std::sort(kept.begin(), kept.end(), better);
  if (kept.size() > static_cast<std::size_t>(top)) kept.resize(top);
  return true;
}

}  // namespace cog
