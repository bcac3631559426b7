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

// A compound train with a tooth count on both sides holds a 1:1 pair: it is
// the simple train of its other two gears with two gears too many.
bool SharesTeeth(const std::array<int, 4>& g) {
  return g[0] == g[1] || g[0] == g[3] || g[2] == g[1] || g[2] == g[3];
}

Way SimpleWay(const CrankMove& move) {
  Way way{Method::kSimple, move};
  way.dial = move.circle != 0 && move.plate == 0;
  return way;
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
  // Without plates the handwheel is read on its dial, or by eye in quarter
  // turns when the file gives no dial.
  if (head.plates.empty()) circles_.push_back({head.dial > 0 ? head.dial : 4, 0});
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

std::int64_t Indexer::AngleDifferentialReach(const Fraction& degrees) const {
  if (gears_.distinct().empty()) return 0;
  // As AngleDifferential walks: every k/c within T·highest/R of T.
  const double t = ToDouble(degrees) * ToDouble(head_.ratio) / 360;
  const double reach = t * ToDouble(highest_) / ToDouble(head_.ratio);
  const auto span = [&](double c) {
    const double first = std::max(std::floor((t - reach) * c) - 1, 1.0);
    return static_cast<std::int64_t>(std::max(std::ceil((t + reach) * c) + 2 - first, 0.0));
  };
  std::int64_t moves = span(1);
  for (const Circle& c : circles_) moves += span(c.holes);
  return moves;
}

std::int64_t Indexer::NearestReach(const DivideOptions& options) const {
  if (options.nearest <= 0 || !Uses(options, Method::kCompound)) return 0;
  std::int64_t moves = 0;
  for (const std::vector<int>& plate : head_.plates)
    for (int holes : plate)
      moves += std::int64_t{holes} * static_cast<std::int64_t>(plate.size() - 1);
  return moves;
}

void Indexer::Simple(const Fraction& turns, std::vector<Way>* out) const {
  const Split s = SplitTurns(turns);
  if (s.num == 0) {
    out->push_back(Way{Method::kSimple, {s.turns, 0, 0, 0}});
    return;
  }
  for (const Circle& c : circles_)
    if (c.holes % s.den == 0)
      out->push_back(
          SimpleWay({s.turns, static_cast<int>(s.num * (c.holes / s.den)), c.holes, c.plate}));
}

void Indexer::Direct(const DivideAnswer& q, std::vector<Way>* out) const {
  std::vector<int> direct = head_.direct;
  std::sort(direct.begin(), direct.end());
  for (int d : direct) {
    if (q.divisions && d % *q.divisions == 0)
      out->push_back(Way{Method::kDirect, {0, d / *q.divisions, d, 0}});
    Fraction holes;
    if (q.degrees && Multiply(*q.degrees, Fraction{d, 360}, &holes) && holes.den == 1)
      out->push_back(Way{Method::kDirect, {0, static_cast<int>(holes.num), d, 0}});
  }
}

bool Indexer::Gear(const Fraction& g, bool with, bool compound, Way* way) const {
  way->compound_train = compound;
  way->plate_turns_with = with;
  if (!compound) {
    const std::vector<std::array<int, 2>> pairs = SimplePairsFor(gears_, g);
    if (pairs.empty()) return false;
    way->gears = {pairs[0][0], pairs[0][1], 0, 0};
    // Meshes 1 + idlers: even turns the plate with the crank.
    way->idlers = (with != head_.reverse) ? 1 : 2;
    return true;
  }
  for (const std::array<int, 4>& train : CompoundTrainsFor(gears_, g)) {
    if (SharesTeeth(train)) continue;
    way->gears = train;
    way->idlers = (with != head_.reverse) ? 0 : 1;
    return true;
  }
  return false;
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
    Way way = SimpleWay(move);
    way.method = Method::kDifferential;
    way.approximate = static_cast<int>(a);
    if (Gear(g, a > n, false, &way)) simple.push_back(way);
    if (static_cast<int>(compound.size()) < top && Gear(g, a > n, true, &way))
      compound.push_back(way);
  }
  out->insert(out->end(), simple.begin(), simple.end());
  out->insert(out->end(), compound.begin(), compound.end());
  return true;
}

bool Indexer::AngleDifferential(const Fraction& t, int top, std::vector<Way>* out) const {
  if (gears_.distinct().empty()) return true;
  // |G| = R·|m - T|/T <= highest: m within T·highest/R of T. The candidates
  // are every simple move there, nearest T first, a few thousand at most.
  const double t_estimate = ToDouble(t);
  const double reach = t_estimate * ToDouble(highest_) / ToDouble(head_.ratio);
  std::set<std::pair<std::int64_t, std::int64_t>> seen;
  std::vector<Fraction> moves;
  std::vector<int> holes = {1};
  for (const Circle& c : circles_) holes.push_back(c.holes);
  for (int c : holes) {
    const auto first = static_cast<std::int64_t>(std::floor((t_estimate - reach) * c)) - 1;
    const auto last = static_cast<std::int64_t>(std::ceil((t_estimate + reach) * c)) + 1;
    for (std::int64_t k = std::max<std::int64_t>(first, 1); k <= last; ++k) {
      Fraction m;
      if (MakeFraction(k, c, &m) && m != t && seen.insert({m.num, m.den}).second)
        moves.push_back(m);
    }
  }
  std::vector<std::pair<Fraction, Fraction>> ranked;  // |m - T|, m
  for (const Fraction& m : moves) {
    Fraction gap;
    if (!Subtract(m, t, &gap)) return false;
    ranked.push_back({gap.num < 0 ? Fraction{-gap.num, gap.den} : gap, m});
  }
  // Nearest first; on a tie the plate turning with the crank (m < T).
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    const int by = Compare(a.first, b.first);
    return by != 0 ? by < 0 : Compare(a.second, b.second) < 0;
  });
  std::vector<Way> simple, compound;
  for (const auto& [gap, m] : ranked) {
    if (static_cast<int>(simple.size()) >= top && static_cast<int>(compound.size()) >= top) break;
    Fraction g;
    if (!Multiply(head_.ratio, gap, &g) || !cog::Divide(g, t, &g)) return false;
    if (Compare(g, highest_) > 0) break;
    if (Compare(g, lowest_) < 0) continue;
    const std::optional<CrankMove> move = SimpleMove(m);
    if (!move) continue;
    Way way = SimpleWay(*move);
    way.method = Method::kDifferential;
    if (!Multiply(m, Whole(360), &way.as_for_deg) ||
        !cog::Divide(way.as_for_deg, head_.ratio, &way.as_for_deg))
      return false;
    const bool with = Compare(m, t) < 0;
    if (static_cast<int>(simple.size()) < top && Gear(g, with, false, &way)) simple.push_back(way);
    if (static_cast<int>(compound.size()) < top && Gear(g, with, true, &way))
      compound.push_back(way);
  }
  out->insert(out->end(), simple.begin(), simple.end());
  out->insert(out->end(), compound.begin(), compound.end());
  return true;
}

bool Indexer::Uses(const DivideOptions& options, Method method) const {
  if (options.method && *options.method != method) return false;
  if (options.helical) return method == Method::kSimple;
  if (method == Method::kCompound) return head_.plate_moves;
  if (method == Method::kDifferential) return head_.differential;
  return true;
}

bool Indexer::Ways(const Fraction& turns, const DivideAnswer& q, const DivideOptions& options,
                   std::vector<Way>* out) const {
  out->clear();
  const int top = options.top;
  const auto room = [&] { return top - static_cast<int>(out->size()); };
  // Direct and simple are one level; each weaker level only when asked or
  // when nothing simpler is exact.
  const auto more = [&] { return room() > 0 && (options.all || out->empty()); };
  if (Uses(options, Method::kDirect)) Direct(q, out);
  if (Uses(options, Method::kSimple)) Simple(turns, out);
  if (more() && Uses(options, Method::kDifferential) &&
      !(q.divisions ? Differential(*q.divisions, room(), out)
                    : AngleDifferential(turns, room(), out)))
    return false;
  if (more() && Uses(options, Method::kCompound)) Compound(turns, room(), out);
  if (room() < 0) out->resize(top);
  return true;
}

bool Indexer::Nearest(const Fraction& t, const DivideAnswer& q, const DivideOptions& options,
                      std::vector<NearWay>* out) const {
  out->clear();
  if (options.nearest <= 0) return true;
  const Split s = SplitTurns(t);
  std::vector<NearWay> found;
  bool exact = true;
  const auto offer = [&](const Way& way, std::int64_t num, std::int64_t den) {
    NearWay near{way, {}, {}, std::nullopt};
    Fraction gap;
    if (!MakeFraction(num, den, &near.crank_turns) || !Subtract(near.crank_turns, t, &gap) ||
        !Multiply(gap, Whole(360), &gap) || !cog::Divide(gap, head_.ratio, &near.error_deg))
      return void(exact = false);
    if (q.divisions && !Multiply(near.error_deg, Whole(*q.divisions), &near.closing_deg.emplace()))
      return void(exact = false);
    found.push_back(near);
  };
  if (Uses(options, Method::kSimple)) {
    offer(Way{Method::kSimple, {s.turns, 0, 0, 0}}, s.turns, 1);
    offer(Way{Method::kSimple, {s.turns + 1, 0, 0, 0}}, s.turns + 1, 1);
    for (const Circle& c : circles_) {
      // The holes either side of the exact fraction of the circle.
      const std::int64_t below = s.num * c.holes / s.den;
      for (std::int64_t h : {below, below + 1})
        if (h > 0 && h < c.holes)
          offer(SimpleWay({s.turns, static_cast<int>(h), c.holes, c.plate}), s.turns * c.holes + h,
                c.holes);
    }
  }
  if (Uses(options, Method::kCompound) && s.num != 0)
    for (std::size_t p = 0; p < head_.plates.size(); ++p)
      for (int c1 : head_.plates[p])
        for (int c2 : head_.plates[p]) {
          if (c1 == c2) continue;
          for (int h1 = 1; h1 < c1; ++h1) {
            // The rest, f - h1/c1, in units of 1/(c1·c2·den), to the nearest hole of c2.
            const std::int64_t unit = std::int64_t{c1} * s.den;
            const std::int64_t rest = s.num * c1 - std::int64_t{h1} * s.den;  // over c1·den
            const std::int64_t h2 = ((rest < 0 ? -rest : rest) * c2 * 2 + unit) / (2 * unit);
            if (h2 < 1 || h2 >= c2) continue;
            Way way{Method::kCompound, {s.turns, h1, c1, static_cast<int>(p) + 1}};
            way.plate_holes = static_cast<int>(h2);
            way.plate_circle = c2;
            way.plate_with = rest > 0;
            const std::int64_t den = std::int64_t{c1} * c2;
            offer(way, s.turns * den + std::int64_t{h1} * c2 + (rest > 0 ? h2 : -h2) * c1, den);
          }
        }
  if (!exact) return false;
  const auto key = [](const NearWay& n) {
    const Way& w = n.way;
    return std::make_tuple(RankClass(w), w.crank.holes + w.plate_holes, w.crank.circle,
                           w.plate_circle, !w.plate_with, w.crank.plate);
  };
  const auto nearer = [&](const NearWay& a, const NearWay& b) {
    const int by = CompareMagnitude(a.error_deg, b.error_deg);
    return by != 0 ? by < 0 : key(a) < key(b);
  };
  const std::size_t keep = std::min(found.size(), static_cast<std::size_t>(options.nearest));
  std::partial_sort(found.begin(), found.begin() + keep, found.end(), nearer);
  out->assign(found.begin(), found.begin() + keep);
  return true;
}

bool Indexer::WaysForDivisions(int divisions, const DivideOptions& options, DivideAnswer* out,
                               std::string* error) const {
  *out = DivideAnswer{};
  out->divisions = divisions;
  if (!cog::Divide(head_.ratio, Whole(divisions), &out->crank_turns) ||
      !Ways(out->crank_turns, *out, options, &out->ways))
    return *error = "the head's ratio is too fine to index exactly", false;
  if (out->ways.empty() && !CheckNearestSteps(*this, options, error)) return false;
  if (out->ways.empty() && !Nearest(out->crank_turns, *out, options, &out->nearest))
    return *error = "the head's ratio is too fine to index exactly", false;
  return true;
}

bool Indexer::WaysForAngle(const Fraction& degrees, const DivideOptions& options, DivideAnswer* out,
                           std::string* error) const {
  *out = DivideAnswer{};
  out->degrees = degrees;
  Fraction turns;
  if (!Multiply(degrees, head_.ratio, &turns) ||
      !cog::Divide(turns, Whole(360), &out->crank_turns) ||
      !Ways(out->crank_turns, *out, options, &out->ways))
    return *error = "the angle is too fine to index exactly on this head", false;
  if (out->ways.empty() && !CheckNearestSteps(*this, options, error)) return false;
  if (out->ways.empty() && !Nearest(out->crank_turns, *out, options, &out->nearest))
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
    if (size == 4 && SharesTeeth(gears)) return;
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
    t.idlers = size == 2 ? 1 : 0;
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

bool HelixLead(const HelixQuestion& q, Fraction* lead_mm, std::string* error) {
  if (q.lead_mm) return *lead_mm = *q.lead_mm, true;
  if (!q.angle_deg || !q.diameter_mm)
    return *error = "a helix needs its lead, or its angle and the work's diameter", false;
  const double beta = ToDouble(*q.angle_deg) * std::acos(-1.0) / 180;
  const double lead = std::acos(-1.0) * ToDouble(*q.diameter_mm) / std::tan(beta);
  if (!(lead > 0) || lead > 1e6)
    return *error = "the helix angle is too small for a lead the head could cut", false;
  return MakeFraction(std::llround(lead * 1e6), 1000000, lead_mm) ||
         (*error = "the lead is too fine to compute exactly", false);
}

bool HelixFor(const DividingHead& head, const HelixQuestion& q, const Fraction& max_error_percent,
              int top, bool keep_all, HelixAnswer* out, std::string* error, std::string* input) {
  Fraction lead;
  if (!HelixLead(q, &lead, error)) {
    if (input) *input = "lead";
    return false;
  }
  if (!HelixTrains(head, lead, max_error_percent, top, keep_all, out, error, input)) return false;
  out->hand = q.hand;
  out->inches = q.inches;
  if (q.diameter_mm) {
    const double beta =
        q.angle_deg ? ToDouble(*q.angle_deg)
                    : std::atan(std::acos(-1.0) * ToDouble(*q.diameter_mm) / ToDouble(lead)) * 180 /
                          std::acos(-1.0);
    out->helix_angle_deg = beta;
    out->swivel_deg = beta;
  }
  // A right hand wants the spindle turned one way: even meshes on a head
  // that does not reverse; each train keeps the fewest idlers for it.
  const bool even = (q.hand == HelixHand::kRight) != head.reverse;
  for (HelixTrain& t : out->trains) t.idlers = (t.size == 2 ? 1 : 0) + (even ? 0 : 1);
  return true;
}

}  // namespace cog
