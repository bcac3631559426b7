// The fit rules: each margin worked by hand for one banjo, then the two forms
// of the rules (fractions for the report, integers for the search) held equal
// over random trains and banjos, many of them exactly on a rule's edge.

#include "lathe/fit_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace cog {
namespace {

Fraction Frac(std::int64_t num, std::int64_t den) {
  Fraction f;
  EXPECT_TRUE(MakeFraction(num, den, &f));
  return f;
}

// Module 1.5, stud 16, lead screw 12, centre distance 100, slot 40 to 90: a
// gear of T teeth has pitch radius 0.75T and tip radius 0.75(T+2).
TEST(FitRulesTest, MarginsWorkedByHand) {
  Geometry banjo{{3, 2}, {16, 1}, {12, 1}, {100, 1}, {{{40, 1}, {90, 1}}}};
  Geometry no_slot = banjo;
  no_slot.slot.reset();
  const struct {
    const Geometry* geometry;
    std::vector<int> gears;
    std::vector<std::pair<std::string, Fraction>> margins;  // rule id, mm
  } cases[] = {
      // 40 30 : 25 60, L1 = 0.75 x 70 = 52.5, L2 = 0.75 x 85 = 63.75.
      {&banjo,
       {40, 30, 25, 60},
       {{"c_clears_stud", {97, 4}},        // 52.5 - (0.75 x 27 + 8) = 24.25
        {"b_clears_leadscrew", {135, 4}},  // 63.75 - (0.75 x 32 + 6) = 33.75
        {"a_clears_leadscrew", {125, 2}},  // 100 - (0.75 x 42 + 6) = 62.5
        {"d_clears_stud", {91, 2}},        // 100 - (0.75 x 62 + 8) = 45.5
        {"shaft_reach", {65, 4}},          // 52.5 + 63.75 - 100 = 16.25
        {"shaft_apart", {355, 4}},         // 100 - 11.25 = 88.75
        {"slot", {95, 4}}}},               // min(63.75 - 40, 90 - 63.75) = 23.75, near end
      // 30 (45) 50, L1 = 0.75 x 75 = 56.25, L2 = 0.75 x 95 = 71.25.
      {&banjo,
       {30, 45, 50},
       {{"a_clears_d", {37, 1}},   // 100 - 0.75 x 84 = 37
        {"shaft_reach", {55, 2}},  // 56.25 + 71.25 - 100 = 27.5
        {"shaft_apart", {85, 1}},  // 100 - 15 = 85
        {"slot", {75, 4}}}},       // min(71.25 - 40, 90 - 71.25) = 18.75, far end
      // 60 40 : 20 24 without a slot, L1 = 75 > L2 = 33; B fouls the lead screw.
      {&no_slot,
       {60, 40, 20, 24},
       {{"c_clears_stud", {101, 2}},      // 75 - (0.75 x 22 + 8) = 50.5
        {"b_clears_leadscrew", {-9, 2}},  // 33 - (0.75 x 42 + 6) = -4.5
        {"a_clears_leadscrew", {95, 2}},  // 100 - (0.75 x 62 + 6) = 47.5
        {"d_clears_stud", {145, 2}},      // 100 - (0.75 x 26 + 8) = 72.5
        {"shaft_reach", {8, 1}},          // 75 + 33 - 100 = 8
        {"shaft_apart", {58, 1}}}},       // 100 - 42 = 58
  };
  for (const auto& c : cases) {
    std::vector<FitRule> rules;
    ASSERT_TRUE(FitRules(*c.geometry, c.gears, &rules));
    ASSERT_EQ(c.margins.size(), rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
      EXPECT_EQ(c.margins[i].first, rules[i].id);
      EXPECT_EQ(c.margins[i].second, rules[i].margin_mm)
          << rules[i].id << " of train " << c.gears[0] << ": " << FractionText(rules[i].margin_mm);
    }
  }
}

// Random banjos for random trains: fractional modules (DP as 25.4/DP), shafts
// of 0, with and without a slot, and most of the time one figure set so that a
// chosen rule's margin is exactly zero, the case a floor or ceiling gets wrong.
TEST(FitRulesTest, FractionAndIntegerFormsAgree) {
  std::mt19937 rng(611);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const Fraction modules[] = {{1, 1}, {3, 2}, {5, 4}, {1, 2}, {127, 100}, {127, 120}, {127, 160}};
  // Per rule: fitting trains with its margin exactly 0, and trains only it refuses.
  std::map<std::string, std::pair<int, int>> seen;
  for (int n = 0; n < 6000; ++n) {
    std::vector<int> g(pick(3, 4));
    for (int& t : g) t = pick(12, 130);
    const bool simple = g.size() == 3;
    const int a = g[0], b = g[1], c = g[g.size() - 2], d = g.back();
    const int s1 = a + b, s2 = simple ? b + d : c + d;
    Geometry geo;
    geo.module = modules[pick(0, 6)];
    auto teeth = [&](int k) { return Frac(geo.module.num * k, 2 * geo.module.den); };  // mk/2
    geo.stud_shaft = pick(0, 3) ? Frac(pick(0, 60), pick(1, 3)) : Whole(0);
    geo.leadscrew_shaft = pick(0, 3) ? Frac(pick(0, 60), pick(1, 3)) : Whole(0);
    geo.centre_distance = pick(0, 1) ? Frac(pick(40, 800), pick(1, 4))
                                     : teeth(std::abs(s1 - s2) + pick(0, 2 * std::min(s1, s2)));
    if (pick(0, 1)) geo.slot.emplace(Frac(pick(0, 80), 1), Frac(pick(80, 200), 1));
    const int k = pick(0, 20);
    // clang-format off
    switch (pick(0, 11)) {  // 0 to 8 put one rule on its edge, one rule a line
      case 0: if (s1 - c - 2 >= 0) geo.stud_shaft = teeth(2 * (s1 - c - 2)); break;
      case 1: if (s2 - b - 2 >= 0) geo.leadscrew_shaft = teeth(2 * (s2 - b - 2)); break;
      case 2: geo.leadscrew_shaft = teeth(2 * k), geo.centre_distance = teeth(a + 2 + k); break;
      case 3: geo.stud_shaft = teeth(2 * k), geo.centre_distance = teeth(d + 2 + k); break;
      case 4: geo.centre_distance = teeth(a + d + 4); break;
      case 5: geo.centre_distance = teeth(s1 + s2); break;
      case 6: if (s1 != s2) geo.centre_distance = teeth(std::abs(s1 - s2)); break;
      case 7: if (geo.slot) geo.slot->first = teeth(s2), geo.slot->second = teeth(s2 + k); break;
      case 8: if (geo.slot) geo.slot->second = teeth(s2), geo.slot->first = teeth(s2 - k); break;
    }
    // clang-format on
    std::vector<FitRule> rules;
    FitLimits limits;
    ASSERT_TRUE(FitRules(geo, g, &rules) && MakeFitLimits(geo, &limits));
    int short_of = 0;
    for (const FitRule& r : rules) short_of += r.margin_mm.num < 0;
    EXPECT_EQ(short_of == 0, TrainFits(limits, g.data(), static_cast<int>(g.size())))
        << "train " << n << " of " << g.size() << " gears from " << a;
    for (const FitRule& r : rules) {
      seen[r.id].first += short_of == 0 && r.margin_mm.num == 0;
      seen[r.id].second += short_of == 1 && r.margin_mm.num < 0;
    }
  }
  // The trains must have met every rule at its edge and alone, or they prove
  // little; all but shaft_apart, which the clearances imply (a compound's A or
  // D, a simple train's A and D, could not clear the other shaft otherwise).
  ASSERT_EQ(8u, seen.size());
  seen.erase("shaft_apart");
  for (const auto& [id, counts] : seen) {
    EXPECT_GE(counts.first, 20) << id;
    EXPECT_GE(counts.second, 20) << id;
  }
}

}  // namespace
}  // namespace cog
