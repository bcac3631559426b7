#include "gearcut/gear_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace cog {
namespace {

constexpr double kPi = std::numbers::pi;

GearAsked Spur(int z, double m, double alpha = 20, double x = 0) {
  GearAsked s;
  s.teeth = z;
  s.module_mm = m;
  s.pressure_deg = alpha;
  s.shift = x;
  return s;
}

GearAsked Helical(int z, double mn, const Fraction& beta, double x = 0) {
  GearAsked s = Spur(z, mn, 20, x);
  s.helix = beta;
  s.hand = HelixHand::kRight;
  return s;
}

GearFigures Figures(const GearAsked& asked) {
  GearFigures f;
  std::string error;
  EXPECT_TRUE(GearFiguresFor(asked, &f, &error)) << error;
  return f;
}

// Worked examples published in "Elements of Metric Gear Technology" (SDP/SI
// and KHK, section 10: tables 10-1 and 10-3), a handbook's span example, and
// the inch rack's depth a 24 DP cutter is marked with.
TEST(GearGeometry, PublishedWorkedExamples) {
  // Spur, m 10, 20°, 12 teeth, x +0.3: h_a 13.000, chordal 17.8256 at 13.6657.
  const GearFigures spur = Figures(Spur(12, 10, 20, 0.3));
  EXPECT_NEAR(spur.addendum_mm, 13.0, 1e-9);
  EXPECT_NEAR(spur.chordal_thickness_mm, 17.8256, 5e-5);
  EXPECT_NEAR(spur.chordal_height_mm, 13.6657, 5e-5);
  // Helical, m_n 5, 20°, β 25°, 16 teeth, x_n +0.2: z_v 21.4928, chordal
  // 8.5728 at 6.1712.
  const GearFigures helical = Figures(Helical(16, 5, Whole(25), 0.2));
  EXPECT_NEAR(helical.virtual_teeth, 21.4928, 5e-5);
  EXPECT_NEAR(helical.chordal_thickness_mm, 8.5728, 5e-5);
  EXPECT_NEAR(helical.chordal_height_mm, 6.1712, 5e-5);
  // m 2, 20 teeth, 20°: k = 3, W = 15.321 mm, the jaws at 40.59 mm.
  const GearFigures span = Figures(Spur(20, 2));
  EXPECT_EQ(span.span.teeth, 3);
  EXPECT_NEAR(span.span.mm, 15.321, 5e-4);
  EXPECT_NEAR(span.span.contact_mm, 40.59, 5e-3);
  // 24 DP: whole depth 2.157/24 in = 0.0899 in; addendum 1/24 in.
  GearAsked dp = Spur(30, 25.4 / 24);
  dp.system = ToothSystem::kDp;
  const GearFigures inch = Figures(dp);
  EXPECT_NEAR(inch.whole_depth_mm / 25.4, 0.0899, 5e-5);
  EXPECT_NEAR(inch.addendum_mm / 25.4, 1.0 / 24, 1e-12);
  // ISO 53: 2.25 m, and the shift moves tip and root, not the depth.
  const GearFigures iso = Figures(Spur(30, 2, 20, 0.5));
  EXPECT_NEAR(iso.whole_depth_mm, 4.5, 1e-12);
  EXPECT_NEAR(iso.tip_mm, 60 + 2 * 2 * 1.5, 1e-12);
  EXPECT_NEAR(iso.root_mm, 60 - 2 * 2 * 0.75, 1e-12);
}

// The set of eight by the ranges every maker prints (Brown & Sharpe's
// numbering for DP, the reverse for module sets), at each boundary.
TEST(GearGeometry, CutterOfTheSetOfEight) {
  struct Case {
    int teeth, dp, module, from, to;
  } cases[] = {
      {1000, 1, 8, 135, 0}, {135, 1, 8, 135, 0}, {134, 2, 7, 55, 134}, {55, 2, 7, 55, 134},
      {54, 3, 6, 35, 54},   {35, 3, 6, 35, 54},  {34, 4, 5, 26, 34},   {26, 4, 5, 26, 34},
      {25, 5, 4, 21, 25},   {21, 5, 4, 21, 25},  {20, 6, 3, 17, 20},   {17, 6, 3, 17, 20},
      {16, 7, 2, 14, 16},   {14, 7, 2, 14, 16},  {13, 8, 1, 12, 13},   {12, 8, 1, 12, 13},
  };
  for (const Case& c : cases) {
    const std::optional<Cutter> cutter = CutterFor(c.teeth);
    ASSERT_TRUE(cutter) << c.teeth;
    EXPECT_EQ(cutter->dp_number, c.dp) << c.teeth;
    EXPECT_EQ(cutter->module_number, c.module) << c.teeth;
    EXPECT_EQ(cutter->from, c.from) << c.teeth;
    EXPECT_EQ(cutter->to, c.to) << c.teeth;
  }
  EXPECT_FALSE(CutterFor(11));
  // A helical gear by its virtual teeth, rounded: 30 at 30° is 46.19 (No. 3),
  // 40 at 15° is 44.38 (No. 3), 54 at 5° is 54.62, rounded to 55 (No. 2).
  EXPECT_EQ(Figures(Helical(30, 2, Whole(30))).cutter->dp_number, 3);
  EXPECT_EQ(Figures(Helical(54, 2, Whole(5))).virtual_rounded, 55);
  EXPECT_EQ(Figures(Helical(54, 2, Whole(5))).cutter->dp_number, 2);
  EXPECT_FALSE(Figures(Spur(10, 2)).cutter);
}

// The teeth spanned at 20°, as the span tables list them: 10 to 18 teeth
// over 2, 19 to 27 over 3, 28 to 36 over 4, 37 to 45 over 5.
TEST(GearGeometry, SpanCountAsTheTablesGiveIt) {
  for (const auto& [z, k] : std::initializer_list<std::pair<int, int>>{
           {10, 2}, {18, 2}, {19, 3}, {27, 3}, {28, 4}, {36, 4}, {37, 5}, {45, 5}}) {
    EXPECT_EQ(Figures(Spur(z, 1)).span.teeth, k) << z;
  }
}

// From first principles: two parallel jaws tangent to the base circle are as
// far apart as the arc of the base circle between the two involutes' starts,
// (k − 1) base pitches plus the tooth's thickness at the base circle, which
// is its pitch thickness (π/2 + 2x tan α)·m carried down by inv α.
TEST(GearGeometry, SpanIsTheBaseArcBetweenTheFlanks) {
  struct Case {
    int z;
    double m, alpha, x;
  } cases[] = {{20, 2, 20, 0},
               {24, 3, 20, 0.4},
               {13, 1.5, 14.5, 0.3},
               {60, 4, 25, -0.25},
               {101, 0.5, 20, 0.8}};
  for (const Case& c : cases) {
    const double a = c.alpha * kPi / 180, rb = c.z * c.m * std::cos(a) / 2;
    const double half_tooth_at_base =
        (kPi / 2 + 2 * c.x * std::tan(a)) / c.z + (std::tan(a) - a);  // s/d + inv α
    const GearFigures f = Figures(Spur(c.z, c.m, c.alpha, c.x));
    const int k = f.span.teeth;
    EXPECT_NEAR(f.span.mm, rb * ((k - 1) * 2 * kPi / c.z + 2 * half_tooth_at_base), 1e-9) << c.z;
    EXPECT_NEAR(f.span.next_mm - f.span.mm, kPi * c.m * std::cos(a), 1e-9) << c.z;
    EXPECT_TRUE(f.span.on_flank) << c.z;
  }
}

// A helical gear's span runs along the normal section. Worked by hand for
// m_n 2, 20°, β 15°, 30 teeth: α_t = 20.64690°, inv α_t = 0.0164534,
// Z' = 33.118, Z'·α_n/π + 0.5 = 4.18, so k = 4, and
// W = 2·cos 20°·[3.5π + 30·0.0164534] = 21.5926 mm.
TEST(GearGeometry, HelicalSpanWorkedByHand) {
  const GearFigures f = Figures(Helical(30, 2, Whole(15)));
  EXPECT_NEAR(f.transverse_pressure_deg, 20.646896, 1e-6);
  EXPECT_EQ(f.span.teeth, 4);
  EXPECT_NEAR(f.span.mm, 21.5926, 5e-5);
  // The lead π·d/tan β: d = 60/cos 15° = 62.11657, lead = 728.2909 mm.
  EXPECT_NEAR(*f.lead_mm, 728.2909, 5e-4);
  EXPECT_FALSE(f.pins);
}

// Where the usual k puts the jaws off the flank, a neighbour is taken.
// Worked by hand: 7 teeth, m 1, x +1: the rack's flank ends on the pitch
// line, so the involute starts at the 7 mm pitch circle; k = 1 touches at
// 6.955 mm, below it, and k = 2 at 8.391 mm. 6 teeth, β 30°, x −0.5: k = 2
// touches at 7.973 mm, past the 7.928 mm tip; k = 1 at 6.545 mm.
TEST(GearGeometry, SpanNeighbourWhenTheJawsMissTheFlank) {
  struct Case {
    GearAsked asked;
    int k;
    double contact;
  } cases[] = {{Spur(7, 1, 20, 1), 2, 8.391}, {Helical(6, 1, Whole(30), -0.5), 1, 6.545}};
  for (const Case& c : cases) {
    const GearFigures f = Figures(c.asked);
    EXPECT_EQ(f.span.teeth, c.k);
    EXPECT_NEAR(f.span.contact_mm, c.contact, 5e-4);
    EXPECT_TRUE(f.span.on_flank);
  }
  EXPECT_NEAR(Figures(Spur(7, 1, 20, 1)).form_mm, 7.0, 1e-9);
}

TEST(GearGeometry, InverseInvoluteConverges) {
  // inv 20° = 0.014904 (every involute table).
  EXPECT_NEAR(Involute(20 * kPi / 180), 0.014904, 5e-7);
  for (double degrees : {1e-4, 0.5, 2.8, 2.9, 14.5, 20.0, 38.0, 60.0, 80.0, 89.0, 89.999}) {
    const double a = degrees * kPi / 180;
    double back = 0;
    ASSERT_TRUE(InverseInvolute(Involute(a), &back)) << degrees;
    EXPECT_NEAR(back, a, 1e-12 * a) << degrees;
  }
  // Near zero inv φ is φ³/3, where tan φ − φ itself cancels away.
  double tiny = 0;
  ASSERT_TRUE(InverseInvolute(1e-18, &tiny));
  EXPECT_NEAR(tiny, std::cbrt(3e-18), 1e-12 * tiny);
  double ignored = 0;
  EXPECT_FALSE(InverseInvolute(-1e-3, &ignored));
  EXPECT_FALSE(InverseInvolute(NAN, &ignored));
}

// The nearest distance from point (px, py) to the involute flank of a tooth
// whose centre line is the x axis: the flank leaves the base circle at the
// half tooth angle at the base, ψ_b = s/d + inv α, and its point rolled by t
// lies at radius r_b·√(1 + t²) and angle ψ_b − (t − atan t). Also gives the
// radius of the nearest point.
double DistanceToFlank(const GearAsked& s, double px, double py, double* at_radius) {
  const double a = s.pressure_deg * kPi / 180, rb = s.teeth * s.module_mm * std::cos(a) / 2;
  const double psi_b = (kPi / 2 + 2 * s.shift * std::tan(a)) / s.teeth + (std::tan(a) - a);
  auto point = [&](double t, double* x, double* y) {
    const double r = rb * std::sqrt(1 + t * t), angle = psi_b - (t - std::atan(t));
    *x = r * std::cos(angle), *y = r * std::sin(angle);
  };
  double best = HUGE_VAL, best_t = 0;
  for (double lo = 0, hi = 2, step = 1e-3; step > 1e-13; step /= 10) {
    for (double t = lo; t <= hi; t += step) {
      double x, y;
      point(t, &x, &y);
      const double d = std::hypot(px - x, py - y);
      if (d < best) best = d, best_t = t;
    }
    lo = std::max(0.0, best_t - step), hi = best_t + step;
  }
  *at_radius = rb * std::sqrt(1 + best_t * best_t);
  return best;
}

// The pins laid into the spaces by geometry alone: each pin's centre on its
// space's centre line at the radius where it touches the flank (found by
// the nearest distance to the involute), the two spaces as nearly opposite
// as the teeth allow; the measurement is the distance across.
TEST(GearGeometry, OverPinsAsLaidIntoTheSpaces) {
  struct Case {
    int z;
    double m, alpha, x, pin;
  } cases[] = {{20, 2, 20, 0, 3.456},
               {21, 2, 20, 0, 3.456},
               {13, 1, 14.5, 0.3, 1.728},
               {127, 1.5, 20, 0, 2.592},
               {9, 3, 25, 0.4, 5.5}};
  for (const Case& c : cases) {
    const GearAsked asked = Spur(c.z, c.m, c.alpha, c.x);
    double mm = 0;
    ASSERT_TRUE(OverPins(asked, c.pin, &mm)) << c.z;
    // Find the centre's radius on the space's centre line (angle π/Z) where
    // the pin just touches: bisect on the distance to the flank.
    const double space = kPi / c.z;
    // From a point in the open space, between the pitch circle less a module
    // and the base circle, to one well clear of the teeth.
    const double r = c.z * c.m / 2;
    double lo = std::max(r * std::cos(c.alpha * kPi / 180), r - c.m), hi = r + 3 * c.m;
    double radius = 0;
    for (int i = 0; i < 200; ++i) {
      const double mid = (lo + hi) / 2;
      (DistanceToFlank(asked, mid * std::cos(space), mid * std::sin(space), &radius) < c.pin / 2
           ? lo
           : hi) = mid;
    }
    const double r0 = (lo + hi) / 2;
    // Spaces z/2 apart for even z, (z − 1)/2 for odd.
    const double apart = (c.z / 2) * 2 * kPi / c.z;
    const double across = std::hypot(r0 - r0 * std::cos(apart), r0 * std::sin(apart)) + c.pin;
    EXPECT_NEAR(mm, across, 1e-6) << c.z;
  }
}

// The pin range's ends touch the flank at the tip circle and where the
// involute starts; the usual 1.728·m is chosen when it lies between.
TEST(GearGeometry, PinRangeTouchesTipAndFormCircles) {
  for (const GearAsked& asked : {Spur(20, 2), Spur(31, 1, 14.5, 0.2), Spur(8, 4, 25, 0.5)}) {
    const GearFigures f = Figures(asked);
    const PinRange range = PinRangeFor(asked);
    ASSERT_LT(range.smallest_mm, range.largest_mm);
    for (const auto& [pin, circle] :
         {std::pair{range.largest_mm, f.tip_mm}, std::pair{range.smallest_mm, f.form_mm}}) {
      double mm = 0, radius = 0;
      ASSERT_TRUE(OverPins(asked, pin, &mm));
      const double space = kPi / asked.teeth;
      // The centre's radius, back from an even gear's measurement.
      GearAsked even = asked;
      const double r0 = asked.teeth % 2 == 0 ? (mm - pin) / 2
                                             : (mm - pin) / 2 / std::cos(kPi / (2 * asked.teeth));
      const double gap = DistanceToFlank(even, r0 * std::cos(space), r0 * std::sin(space), &radius);
      EXPECT_NEAR(gap, pin / 2, 1e-6) << asked.teeth;
      EXPECT_NEAR(2 * radius, circle, 1e-4) << asked.teeth;
    }
  }
  const GearFigures usual = Figures(Spur(20, 2));
  EXPECT_TRUE(usual.pins->usual);
  EXPECT_DOUBLE_EQ(usual.pins->pin_mm, 3.456);
  GearAsked given = Spur(20, 2);
  given.pin_mm = 1.0;
  GearFigures f;
  std::string error;
  EXPECT_FALSE(GearFiguresFor(given, &f, &error));
  EXPECT_NE(error.find("does not touch both flanks; pins from"), std::string::npos) << error;
}

}  // namespace
}  // namespace cog
