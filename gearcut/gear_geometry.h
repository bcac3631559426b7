#pragma once
// The figures of one involute gear cut with a form cutter: the blank, the
// cutter of the set of eight, the depth, and the measurements a home shop can
// take (a caliper across k teeth, a gear-tooth vernier, two pins and a
// micrometer), for a spur or a helical gear.
//
// Rules followed, each once:
//  - geometry as ISO 21771 gives it: m_t = m_n / cos β, d = Z·m_t,
//    tan α_t = tan α_n / cos β, d_b = d·cos α_t, virtual teeth Z / cos³β;
//  - the basic rack: for a module gear ISO 53 (addendum m, dedendum 1.25 m);
//    for a DP or CP gear the inch full-depth rack (addendum 1/P, dedendum
//    1.157/P: the whole depth 2.157/P a DP cutter is marked with). The profile
//    shift x moves tip and root together, so the whole depth stays;
//  - span over k teeth (base tangent length) in the normal section:
//    W_k = m_n·cos α_n·[π(k − 0.5) + Z·inv α_t] + 2·x·m_n·sin α_n;
//  - chordal thickness and height at the pitch circle, for a helical gear on
//    the virtual spur gear of the normal section;
//  - over two pins for a spur gear: inv φ = d_p/(Z·m·cos α) − π/(2Z) + inv α
//    + 2x·tan α/Z, pin centres on d_p0 = Z·m·cos α / cos φ; across them
//    d_p0 + d_p for even Z, d_p0·cos(90°/Z) + d_p for odd Z.
//
// Irrational figures are doubles; the inputs are kept as given for the texts.

#include <optional>
#include <string>

#include "gears/fraction.h"
#include "gears/helix_hand.h"

namespace cog {

// How the gear's size is given: module (mm), diametral pitch (per inch) or
// circular pitch (inches).
enum class ToothSystem { kModule, kDp, kCp };

// The gear asked for. REQUIRES for every function below: the bounds the
// readers of gear_question.h hold (teeth 5 to 1000, module above 0, pressure
// angle above 0 and below 45, helix angle 0 for spur or above 0 and below 90
// with its hand, pin above 0 when given).
struct GearAsked {
  int teeth = 20;
  ToothSystem system = ToothSystem::kModule;
  Fraction size{1, 1};       // the module, DP or CP as typed, exact
  double module_mm = 1;      // normal module
  double pressure_deg = 20;  // normal pressure angle
  Fraction helix{0, 1};      // helix angle in exact degrees; 0 for spur
  HelixHand hand = HelixHand::kNone;
  double shift = 0;  // profile shift coefficient x
  std::optional<double> pin_mm;
};

inline bool IsHelical(const GearAsked& asked) { return asked.helix.num != 0; }
// The inch full-depth rack for DP and CP, ISO 53 for a module.
bool InchRack(const GearAsked& asked);

// tan a − a.
double Involute(double radians);
// The angle in [0, π/2) whose involute is `value`, by Newton's method from
// above (the involute is convex there, so each step lands between the root
// and the last guess). False for a value that is negative or not finite.
bool InverseInvolute(double value, double* radians);

// One cutter of the set of eight, named both ways: the DP set counts from the
// rack end (No. 1: 135 teeth to a rack), the module set from the small end
// (No. 1: 12 and 13 teeth). to == 0: up to a rack.
struct Cutter {
  int dp_number = 0;
  int module_number = 0;
  int from = 0;
  int to = 0;
};

// The teeth the set's smallest cutter is made for; fewer would be undercut.
inline constexpr int kFewestCutterTeeth = 12;
// The cutter for `teeth` (the virtual number, rounded), or none below 12.
std::optional<Cutter> CutterFor(int teeth);

struct SpanCheck {
  int teeth = 0;          // k
  double mm = 0;          // W_k
  double next_mm = 0;     // W_{k+1}: one normal base pitch more
  double contact_mm = 0;  // diameter where the jaws touch
  bool on_flank = true;   // between the involute's start and the tip
};

struct PinCheck {
  double pin_mm = 0;
  bool usual = false;  // chosen as 1.728·m_n, the usual size
  double mm = 0;       // over the two pins
};

// The pins that touch both flanks of a space: from the one touching where
// the involute starts to the one touching at the tip.
struct PinRange {
  double smallest_mm = 0;
  double largest_mm = 0;
};

struct GearFigures {
  double transverse_module_mm = 0;
  double transverse_pressure_deg = 0;
  double pitch_mm = 0;
  double base_mm = 0;
  double tip_mm = 0;
  double root_mm = 0;
  double form_mm = 0;  // where the involute starts (the base circle when undercut)
  double addendum_mm = 0;
  double dedendum_mm = 0;
  double whole_depth_mm = 0;
  double virtual_teeth = 0;
  int virtual_rounded = 0;
  std::optional<Cutter> cutter;
  SpanCheck span;
  double chordal_thickness_mm = 0;
  double chordal_height_mm = 0;
  std::optional<PinCheck> pins;   // spur gears whose spaces take a pin
  std::optional<double> lead_mm;  // helical gears only
};

// Every figure of the gear. False with *error when a given pin does not touch
// both flanks (naming the range that does), or a figure is not finite.
bool GearFiguresFor(const GearAsked& asked, GearFigures* out, std::string* error);

// The range of pins that touch both flanks of a spur gear.
PinRange PinRangeFor(const GearAsked& asked);

// The measurement over two pins of `pin_mm` on a spur gear; false when the
// pin's centre cannot be placed (an involute past 90°).
bool OverPins(const GearAsked& asked, double pin_mm, double* mm);

// W_k for any k.
double SpanOver(const GearAsked& asked, int k);

}  // namespace cog
