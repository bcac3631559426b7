// The gear's page query: each refusal names the field the page marks, and
// the drawn tooth space has the depth and the space width worked by hand.

#include "report/page/gear_queries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <numbers>

namespace cog {
namespace {

using json = nlohmann::json;

constexpr const char* kHead = R"({"name": "test head", "ratio": 40,
  "plates": [[15, 16, 17, 18, 19, 20], [21, 23, 27, 29, 31, 33], [37, 39, 41, 43, 47, 49]],
  "gears": [24, 24, 28, 32, 40, 44, 48, 56, 64, 72, 86, 100], "table_leadscrew": "4tpi"})";

GearForm Spur(std::string teeth, std::string size) {
  return {std::move(teeth), "module", std::move(size), "", "", "", ""};
}

TEST(GearQuery, EveryRefusalNamesItsField) {
  struct {
    GearForm form;
    const char* head;
    const char* input;
  } cases[] = {
      {Spur("4", "2"), kHead, "teeth"},
      {Spur("1001", "2"), kHead, "teeth"},
      {Spur("40.5", "2"), kHead, "teeth"},
      {Spur("40", ""), kHead, "size"},
      {Spur("40", "0"), kHead, "module"},
      {{"40", "dp", "-3", "", "", "", ""}, kHead, "dp"},
      {{"40", "cp", "inf", "", "", "", ""}, kHead, "cp"},
      {{"40", "module", "2", "45", "", "", ""}, kHead, "pressure_angle"},
      {{"40", "module", "2", "", "20", "", ""}, kHead, "helix"},
      {{"40", "module", "2", "", "90R", "", ""}, kHead, "helix"},
      {{"40", "module", "2", "", "", "1.5", ""}, kHead, "shift"},
      {{"40", "module", "2", "", "", "", "0.1"}, kHead, "pin"},
      {{"40", "module", "2", "", "", "", "40"}, kHead, "pin"},
      {Spur("40", "2"), "{", "head"},
      {Spur("40", "2"), R"({"ratio": 0})", "ratio"},
  };
  for (const auto& c : cases) {
    const json answer = json::parse(GearQuery(c.head, c.form));
    EXPECT_EQ(answer.value("input", ""), c.input)
        << c.form.teeth << " " << c.form.size << ": " << answer.dump();
    EXPECT_FALSE(answer.value("error", "").empty());
    EXPECT_FALSE(answer.contains("view"));
  }
}

// The space's arc width where the outline crosses `radius`, read along its
// right flank (the points after the root, rising).
double SpaceArcAt(const json& outline, double radius) {
  const size_t half = outline.size() / 2;
  for (size_t i = half; i + 1 < outline.size(); ++i) {
    const double x0 = outline[i][0], y0 = outline[i][1];
    const double x1 = outline[i + 1][0], y1 = outline[i + 1][1];
    const double r0 = std::hypot(x0, y0), r1 = std::hypot(x1, y1);
    if (r0 <= radius && radius <= r1) {
      const double t = (radius - r0) / (r1 - r0);
      const double angle = std::atan2(x0, y0) + t * (std::atan2(x1, y1) - std::atan2(x0, y0));
      return 2 * angle * radius;
    }
  }
  return NAN;
}

// Worked by hand: the space at the pitch circle is half the circular pitch
// π·m_n/2, less 2·x·m_n·tan α for a shifted gear; the outline runs from the
// tip circle d/2 + m(1 + x) down to the root circle, a whole depth below
// (2.25 m; 2.157/P in for a DP gear).
TEST(GearQuery, TheDrawnSpaceHasTheDepthAndWidthWorkedByHand) {
  const double pi = std::numbers::pi, tan20 = std::tan(20 * pi / 180);
  struct {
    GearForm form;
    double tip_radius, depth, space_at_pitch;
    const char* cutter;
  } cases[] = {
      {Spur("40", "2"), 42, 4.5, pi, "No. 6 module / No. 3 DP"},
      {{"40", "module", "2", "", "", "0.5", ""},
       43,
       4.5,
       pi - 2 * 0.5 * 2 * tan20,
       "No. 6 module / No. 3 DP"},
      {{"17", "module", "3", "14.5", "", "", ""}, 28.5, 6.75, 1.5 * pi, "No. 3 module / No. 6 DP"},
      // 30 / cos³ 20° = 36.15 virtual teeth: the cutter for 35 to 54.
      {{"30", "dp", "10", "", "20R", "", ""},
       NAN,
       2.157 * 2.54,
       2.54 * pi / 2,
       "No. 3 DP / No. 6 module"},
  };
  for (const auto& c : cases) {
    const json answer = json::parse(GearQuery(kHead, c.form));
    ASSERT_TRUE(answer.contains("view")) << answer.dump();
    const json& d = answer["view"]["drawing"];
    const json& outline = d["outline"];
    double low = INFINITY, high = 0;
    for (const json& p : outline) {
      low = std::min(low, std::hypot(double(p[0]), double(p[1])));
      high = std::max(high, std::hypot(double(p[0]), double(p[1])));
    }
    if (!std::isnan(c.tip_radius)) {
      EXPECT_NEAR(high, c.tip_radius, 1e-9) << c.form.teeth;
    }
    EXPECT_NEAR(high - low, c.depth, 1e-6) << c.form.teeth;
    EXPECT_NEAR(SpaceArcAt(outline, d["pitch_radius"]), c.space_at_pitch, 2e-3) << c.form.teeth;
    EXPECT_EQ(d["cutter"], std::string(c.cutter));
    // Symmetric about the space's centre line.
    EXPECT_NEAR(double(outline.front()[0]), -double(outline.back()[0]), 1e-9);
  }
}

}  // namespace
}  // namespace cog
