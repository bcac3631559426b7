#pragma once
// A simple or compound train laid out on the banjo for a drawing to scale:
// the stud at the origin, the lead screw straight below it at the centre
// distance, the middle shaft where the two pairs of pitch circles meet.
// Figures are doubles, for the picture only; whether the train fits is the
// fit rules' exact answer, never read from here.

#include <string>
#include <vector>

#include "lathe/fit_rules.h"
#include "lathe/profile.h"

namespace cog {

struct DrawnShaft {
  std::string name;  // "stud", "middle", "screw"
  double x = 0, y = 0;
  double radius = 0;  // half its diameter; at least 1 so that it shows
};

struct DrawnWheel {
  std::string name;  // "A", "I", "B", "C", "D"
  int teeth = 0;
  std::string shaft;
  double pitch_radius = 0, tip_radius = 0;
};

struct BanjoLayout {
  std::vector<DrawnShaft> shafts;
  std::vector<DrawnWheel> wheels;
};

// REQUIRES: gears holds 3 (A I D) or 4 (A B C D) tooth counts.
BanjoLayout LayOutTrain(const Geometry& geometry, const std::vector<int>& gears);

// The drawn parts (wheel or shaft names) a fit rule is about, for marking
// them when the rule fails; empty for an unknown id.
std::vector<std::string> RuleParts(const std::string& rule_id);

}  // namespace cog
