#include "lathe/banjo_layout.h"

#include <algorithm>
#include <cmath>

namespace cog {

BanjoLayout LayOutTrain(const Geometry& geometry, const std::vector<int>& gears) {
  const double m = ToDouble(geometry.module), dc = ToDouble(geometry.centre_distance);
  const bool simple = gears.size() == 3;
  const int a = gears[0], b = gears[1], c = simple ? gears[1] : gears[2], d = gears.back();
  const double l1 = m * (a + b) / 2, l2 = m * (c + d) / 2;
  // Distance l1 from the stud and l2 from the lead screw.
  const double along = (l1 * l1 - l2 * l2 + dc * dc) / (2 * dc);
  const double across = std::sqrt(std::max(0.0, l1 * l1 - along * along));
  auto shaft = [](const char* name, double x, double y, const Fraction& diameter) {
    return DrawnShaft{name, x, y, std::max(ToDouble(diameter) / 2, 1.0)};
  };
  BanjoLayout layout;
  layout.shafts = {shaft("stud", 0, 0, geometry.stud_shaft),
                   shaft("middle", across, along, Whole(2)),
                   shaft("screw", 0, dc, geometry.leadscrew_shaft)};
  auto wheel = [&](const char* name, int teeth, const char* on) {
    layout.wheels.push_back({name, teeth, on, m * teeth / 2, m * (teeth + 2) / 2});
  };
  wheel("A", a, "stud");
  if (simple) {
    wheel("I", b, "middle");
  } else {
    wheel("B", b, "middle");
    wheel("C", c, "middle");
  }
  wheel("D", d, "screw");
  return layout;
}

std::vector<std::string> RuleParts(const std::string& rule_id) {
  static const struct {
    const char* id;
    std::vector<std::string> parts;
  } kParts[] = {
      {"c_clears_stud", {"C", "stud"}},
      {"b_clears_leadscrew", {"B", "screw"}},
      {"a_clears_leadscrew", {"A", "screw"}},
      {"d_clears_stud", {"D", "stud"}},
      {"shaft_reach", {"middle"}},
      {"shaft_apart", {"middle"}},
      {"slot", {"middle"}},
      {"a_clears_d", {"A", "D"}},
  };
  for (const auto& p : kParts)
    if (rule_id == p.id) return p.parts;
  return {};
}

}  // namespace cog
