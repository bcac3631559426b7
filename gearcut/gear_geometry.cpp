#include "gearcut/gear_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "gears/fraction_text.h"

namespace cog {
namespace {

constexpr double kPi = std::numbers::pi;

double Radians(double degrees) { return degrees * kPi / 180; }

// The DP set's cutters from No. 1, the fewest teeth each serves; the module
// set numbers the same cutters from the other end.
constexpr std::array<int, 8> kCutterFrom = {135, 55, 35, 26, 21, 17, 14, 12};

// The usual pin for an external gear, in modules (1.728/P in the inch
// system), which touches near the pitch circle at 20°.
constexpr double kUsualPinModules = 1.728;

// Everything the figures share, worked out once.
struct Basics {
  int z = 0;
  double mn = 0, alpha_n = 0, beta = 0, x = 0;
  double alpha_t = 0, d = 0, db = 0, da = 0, df = 0, d_form = 0, ha = 0, hf = 0;
};

Basics BasicsOf(const GearAsked& asked) {
  Basics b;
  b.z = asked.teeth;
  b.mn = asked.module_mm;
  b.alpha_n = Radians(asked.pressure_deg);
  b.beta = Radians(ToDouble(asked.helix));
  b.x = asked.shift;
  b.alpha_t = std::atan(std::tan(b.alpha_n) / std::cos(b.beta));
  b.d = b.z * b.mn / std::cos(b.beta);
  b.db = b.d * std::cos(b.alpha_t);
  b.ha = b.mn * (1 + b.x);
  b.hf = b.mn * ((InchRack(asked) ? 1.157 : 1.25) - b.x);
  b.da = b.d + 2 * b.ha;
  b.df = b.d - 2 * b.hf;
  // The rack's straight flank reaches m_n above its datum line; where it
  // stops generating, along the line of action, the involute starts.
  const double roll = b.d / 2 * std::sin(b.alpha_t) - b.mn * (1 - b.x) / std::sin(b.alpha_t);
  b.d_form = roll > 0 ? 2 * std::hypot(b.db / 2, roll) : b.db;
  return b;
}

// The diameter at which the caliper's jaws touch for W_k (a tangent to the
// base cylinder, seen in the transverse section).
double ContactDiameter(const Basics& b, double w) {
  const double base_helix = std::asin(std::sin(b.beta) * std::cos(b.alpha_n));
  return std::hypot(b.db, w / std::cos(base_helix));
}

bool OnFlank(const Basics& b, double contact) { return contact > b.d_form && contact < b.da; }

SpanCheck Span(const GearAsked& asked, const Basics& b) {
  const double z_prime = b.z * Involute(b.alpha_t) / Involute(b.alpha_n);
  // k = Z'·α_n/π + 0.5 to the nearest whole number, a half going down: the
  // jaws then touch just outside the pitch circle rather than near the tip.
  const double y = z_prime * b.alpha_n / kPi;
  int k = static_cast<int>(std::clamp(std::ceil(y - 1e-9), 1.0, double(b.z - 1)));
  auto check = [&](int teeth) {
    SpanCheck s;
    s.teeth = teeth;
    s.mm = SpanOver(asked, teeth);
    s.next_mm = SpanOver(asked, teeth + 1);
    s.contact_mm = ContactDiameter(b, s.mm);
    s.on_flank = OnFlank(b, s.contact_mm);
    return s;
  };
  SpanCheck span = check(k);
  if (span.on_flank) return span;
  // Off the flank: one tooth fewer when the jaws reach the tip, one more when
  // they sit below the involute's start.
  const int neighbour = span.contact_mm >= b.da ? k - 1 : k + 1;
  if (neighbour >= 1 && neighbour <= b.z - 1) {
    const SpanCheck other = check(neighbour);
    if (other.on_flank) return other;
  }
  return span;
}

// −π/(2Z) + inv α + 2x·tan α / Z: what inv φ is besides d_p/d_b.
double PinConstant(const Basics& b) {
  return -kPi / (2 * b.z) + Involute(b.alpha_n) + 2 * b.x * std::tan(b.alpha_n) / b.z;
}

// The pin that touches the flank where its pressure angle is `contact`:
// there the pin's centre has rolled d_p/2 further along the base circle, so
// tan φ = tan α_c + d_p/d_b, and with inv φ = d_p/d_b + C, φ = tan α_c − C.
double PinTouchingAt(const Basics& b, double contact) {
  const double phi = std::tan(contact) - PinConstant(b);
  if (phi <= 0) return 0;
  if (phi >= kPi / 2) return HUGE_VAL;
  return std::max(0.0, b.db * (std::tan(phi) - std::tan(contact)));
}

std::string Mm(double value) { return FixedText(value, 3) + " mm"; }

}  // namespace

bool InchRack(const GearAsked& asked) { return asked.system != ToothSystem::kModule; }

double Involute(double radians) {
  // Near zero tan a − a cancels away most of its digits (at 0.001 rad, nine
  // of them); there the series of tan a − a keeps them all.
  if (std::fabs(radians) < 0.05) {
    const double a2 = radians * radians;
    double sum = 0;
    for (double c : {929569.0 / 638512875, 21844.0 / 6081075, 1382.0 / 155925, 62.0 / 2835,
                     17.0 / 315, 2.0 / 15, 1.0 / 3})
      sum = sum * a2 + c;
    return sum * a2 * radians;
  }
  return std::tan(radians) - radians;
}

bool InverseInvolute(double value, double* radians) {
  if (!std::isfinite(value) || value < 0) return false;
  if (value == 0) return *radians = 0, true;
  // Both are above the root: inv φ > φ³/3, and tan φ = inv φ + φ < inv φ + π/2.
  double phi = std::min(std::cbrt(3 * value), std::atan(value + kPi / 2));
  for (int i = 0; i < 100; ++i) {
    const double t = std::tan(phi);
    const double step = (Involute(phi) - value) / (t * t);
    phi -= step;
    if (!(std::fabs(step) > 1e-16 * phi)) break;
  }
  *radians = phi;
  return std::isfinite(phi);
}

std::optional<Cutter> CutterFor(int teeth) {
  for (int i = 0; i < 8; ++i)
    if (teeth >= kCutterFrom[i])
      return Cutter{i + 1, 8 - i, kCutterFrom[i], i == 0 ? 0 : kCutterFrom[i - 1] - 1};
  return std::nullopt;
}

double SpanOver(const GearAsked& asked, int k) {
  const Basics b = BasicsOf(asked);
  return b.mn * std::cos(b.alpha_n) * (kPi * (k - 0.5) + b.z * Involute(b.alpha_t)) +
         2 * b.x * b.mn * std::sin(b.alpha_n);
}

PinRange PinRangeFor(const GearAsked& asked) {
  const Basics b = BasicsOf(asked);
  const double at_form = b.d_form > b.db ? std::acos(b.db / b.d_form) : 0;
  return {PinTouchingAt(b, at_form), PinTouchingAt(b, std::acos(b.db / b.da))};
}

bool OverPins(const GearAsked& asked, double pin_mm, double* mm) {
  const Basics b = BasicsOf(asked);
  double phi = 0;
  if (!InverseInvolute(pin_mm / b.db + PinConstant(b), &phi) || phi >= kPi / 2) return false;
  const double centres = b.db / std::cos(phi);
  *mm = (b.z % 2 == 0 ? centres : centres * std::cos(kPi / (2 * b.z))) + pin_mm;
  return std::isfinite(*mm);
}

bool GearFiguresFor(const GearAsked& asked, GearFigures* out, std::string* error) {
  const Basics b = BasicsOf(asked);
  GearFigures f;
  f.transverse_module_mm = b.mn / std::cos(b.beta);
  f.transverse_pressure_deg = b.alpha_t * 180 / kPi;
  f.pitch_mm = b.d;
  f.base_mm = b.db;
  f.tip_mm = b.da;
  f.root_mm = b.df;
  f.form_mm = b.d_form;
  f.addendum_mm = b.ha;
  f.dedendum_mm = b.hf;
  f.whole_depth_mm = b.ha + b.hf;
  f.virtual_teeth = b.z / std::pow(std::cos(b.beta), 3);
  // Far beyond the rack end every count is the same cutter.
  f.virtual_rounded = static_cast<int>(std::min(std::round(f.virtual_teeth), 1e9));
  f.cutter = CutterFor(f.virtual_rounded);
  f.span = Span(asked, b);
  // On the virtual spur gear of the normal section: half the tooth's angle
  // at its pitch circle, then the chord and the arc's height above it.
  const double zv = f.virtual_teeth;
  const double psi = kPi / (2 * zv) + 2 * b.x * std::tan(b.alpha_n) / zv;
  f.chordal_thickness_mm = zv * b.mn * std::sin(psi);
  f.chordal_height_mm = b.ha + zv * b.mn / 2 * (1 - std::cos(psi));
  if (IsHelical(asked)) {
    f.lead_mm = kPi * b.d / std::tan(b.beta);
  } else {
    const PinRange range = PinRangeFor(asked);
    const bool any = range.smallest_mm <= range.largest_mm;
    PinCheck pins;
    if (asked.pin_mm) {
      pins.pin_mm = *asked.pin_mm;
      if (!any) {
        *error = "no pin touches both flanks of this gear";
        return false;
      }
      if (pins.pin_mm < range.smallest_mm || pins.pin_mm > range.largest_mm) {
        *error = "a pin of " + Mm(pins.pin_mm) + " does not touch both flanks; pins from " +
                 Mm(range.smallest_mm) + " to " + Mm(range.largest_mm) + " do";
        return false;
      }
    } else {
      const double usual = kUsualPinModules * b.mn;
      pins.usual = usual >= range.smallest_mm && usual <= range.largest_mm;
      // Otherwise the one touching at the pitch circle, to a hundredth where
      // that still touches both flanks (a fine module's pin is smaller).
      const double pitch = PinTouchingAt(b, b.alpha_n), rounded = std::round(pitch * 100) / 100;
      pins.pin_mm = pins.usual                                                    ? usual
                    : rounded >= range.smallest_mm && rounded <= range.largest_mm ? rounded
                                                                                  : pitch;
    }
    // A gear whose spaces take no pin (its flanks all but gone) has no
    // measurement over pins; the other checks stand.
    if (OverPins(asked, pins.pin_mm, &pins.mm) && any && pins.pin_mm > 0) {
      f.pins = pins;
    } else if (asked.pin_mm) {
      *error = "no measurement over pins of " + Mm(pins.pin_mm) + " for this gear";
      return false;
    }
  }
  for (double v : {f.pitch_mm, f.base_mm, f.tip_mm, f.root_mm, f.span.mm, f.span.next_mm,
                   f.chordal_thickness_mm, f.chordal_height_mm, f.lead_mm.value_or(0)}) {
    if (!std::isfinite(v)) {
      *error = "the gear's figures leave the range of numbers this tool computes with";
      return false;
    }
  }
  *out = f;
  return true;
}

}  // namespace cog
