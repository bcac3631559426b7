#include "lathe/fit_rules.h"

namespace cog {
namespace {

// Builds the rules with one overflow flag, so each rule reads as its formula.
class Figures {
 public:
  explicit Figures(const Geometry& g) : g_(g) {}

  // m * teeth / 2: a pitch radius, or m * (teeth + 2) / 2 for a tip radius.
  Fraction Radius(int teeth) { return Mul(g_.module, Fraction{teeth, 2}); }
  Fraction Half(const Fraction& f) { return Mul(f, Fraction{1, 2}); }

  Fraction Add(const Fraction& a, const Fraction& b) { return Do(cog::Add, a, b); }
  Fraction Sub(const Fraction& a, const Fraction& b) { return Do(Subtract, a, b); }
  Fraction Mul(const Fraction& a, const Fraction& b) { return Do(Multiply, a, b); }
  Fraction Abs(Fraction f) {
    f.num = f.num < 0 ? -f.num : f.num;
    return f;
  }
  Fraction Min(const Fraction& a, const Fraction& b) { return Compare(a, b) <= 0 ? a : b; }

  bool ok() const { return ok_; }

 private:
  Fraction Do(bool (*op)(const Fraction&, const Fraction&, Fraction*), const Fraction& a,
              const Fraction& b) {
    Fraction out;
    if (!op(a, b, &out)) ok_ = false;
    return out;
  }

  const Geometry& g_;
  bool ok_ = true;
};

void PlacementRules(Figures& f, const Geometry& g, const Fraction& l1, const Fraction& l2,
                    std::vector<FitRule>* rules) {
  rules->push_back({"shaft_reach", "the middle shaft reaches both gears",
                    f.Sub(f.Add(l1, l2), g.centre_distance)});
  rules->push_back({"shaft_apart", "the middle shaft is not too close",
                    f.Sub(g.centre_distance, f.Abs(f.Sub(l1, l2)))});
  if (g.slot)
    rules->push_back({"slot", "the middle shaft is within the slot",
                      f.Min(f.Sub(l2, g.slot->first), f.Sub(g.slot->second, l2))});
}

}  // namespace

bool FitRules(const Geometry& g, std::span<const int> gears, std::vector<FitRule>* rules) {
  rules->clear();
  Figures f(g);
  const Fraction stud = f.Half(g.stud_shaft), leadscrew = f.Half(g.leadscrew_shaft);
  if (gears.size() == 3) {
    const int a = gears[0], i = gears[1], d = gears[2];
    rules->push_back({"a_clears_d", "the driver and the driven gear clear each other",
                      f.Sub(g.centre_distance, f.Radius(a + d + 4))});
    PlacementRules(f, g, f.Radius(a + i), f.Radius(i + d), rules);
  } else if (gears.size() == 4) {
    const int a = gears[0], b = gears[1], c = gears[2], d = gears[3];
    const Fraction l1 = f.Radius(a + b), l2 = f.Radius(c + d);
    rules->push_back(
        {"c_clears_stud", "C clears the stud", f.Sub(l1, f.Add(f.Radius(c + 2), stud))});
    rules->push_back({"b_clears_leadscrew", "B clears the lead screw",
                      f.Sub(l2, f.Add(f.Radius(b + 2), leadscrew))});
    rules->push_back({"a_clears_leadscrew", "A clears the lead screw",
                      f.Sub(g.centre_distance, f.Add(f.Radius(a + 2), leadscrew))});
    rules->push_back({"d_clears_stud", "D clears the stud",
                      f.Sub(g.centre_distance, f.Add(f.Radius(d + 2), stud))});
    PlacementRules(f, g, l1, l2, rules);
  }
  return f.ok();
}

namespace {

std::int64_t Floor(const Fraction& f) {
  const std::int64_t q = f.num / f.den;
  return q * f.den > f.num ? q - 1 : q;
}

std::int64_t Ceil(const Fraction& f) { return -Floor(Fraction{-f.num, f.den}); }

}  // namespace

bool MakeFitLimits(const Geometry& g, FitLimits* limits) {
  Figures f(g);
  const Fraction per_module{g.module.den, g.module.num};  // 1/m
  const Fraction two_dc = f.Mul(g.centre_distance, Whole(2));
  const Fraction stud = f.Mul(g.stud_shaft, per_module);
  const Fraction screw = f.Mul(g.leadscrew_shaft, per_module);
  const Fraction span = f.Mul(two_dc, per_module);
  limits->stud_room = Ceil(stud);
  limits->screw_room = Ceil(screw);
  limits->a_tip_max = Floor(f.Sub(span, screw));
  limits->d_tip_max = Floor(f.Sub(span, stud));
  limits->reach_min = Ceil(span);
  limits->apart_max = Floor(span);
  limits->slot_min = INT64_MIN;
  limits->slot_max = INT64_MAX;
  if (g.slot) {
    limits->slot_min = Ceil(f.Mul(f.Mul(g.slot->first, Whole(2)), per_module));
    limits->slot_max = Floor(f.Mul(f.Mul(g.slot->second, Whole(2)), per_module));
  }
  return f.ok();
}

bool TrainFits(const FitLimits& l, const int* gears, int count) {
  std::int64_t s1, s2;
  if (count == 3) {
    const int a = gears[0], i = gears[1], d = gears[2];
    if (a + d + 4 > l.apart_max) return false;
    s1 = a + i;
    s2 = i + d;
  } else {
    const int a = gears[0], b = gears[1], c = gears[2], d = gears[3];
    if (a + b - c - 2 < l.stud_room || c + d - b - 2 < l.screw_room || a + 2 > l.a_tip_max ||
        d + 2 > l.d_tip_max)
      return false;
    s1 = a + b;
    s2 = c + d;
  }
  return s1 + s2 >= l.reach_min && (s1 > s2 ? s1 - s2 : s2 - s1) <= l.apart_max &&
         s2 >= l.slot_min && s2 <= l.slot_max;
}

}  // namespace cog
