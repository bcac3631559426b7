#include "gearcut/gear_question.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

GearTexts Texts(std::string teeth, std::optional<std::string> module) {
  GearTexts t;
  t.teeth = std::move(teeth);
  t.module = std::move(module);
  return t;
}

// The sizes to a module: 24 DP is 25.4/24 mm exactly, 0.5 in CP is
// 25.4·0.5/π = 4.0425 mm; the DP and module cutters number the other way.
TEST(GearQuestion, SizesAndAngles) {
  GearAsked asked;
  Status error;
  GearTexts dp = Texts("40", std::nullopt);
  dp.dp = "24";
  ASSERT_TRUE(ReadGearTexts(dp, &asked, &error)) << error.why();
  EXPECT_DOUBLE_EQ(asked.module_mm, 25.4 / 24);
  EXPECT_EQ(asked.system, ToothSystem::kDp);
  GearTexts cp = Texts("40", std::nullopt);
  cp.cp = "0.5";
  ASSERT_TRUE(ReadGearTexts(cp, &asked, &error)) << error.why();
  EXPECT_NEAR(asked.module_mm, 4.042535554534, 1e-11);
  struct Helix {
    const char* text;
    Fraction degrees;
    HelixHand hand;
  } helices[] = {{"22.5R", {45, 2}, HelixHand::kRight},
                 {"15L", {15, 1}, HelixHand::kLeft},
                 {"22d30mR", {45, 2}, HelixHand::kRight},
                 {"22\xC2\xB0"
                  "30'l",
                  {45, 2},
                  HelixHand::kLeft}};
  for (const Helix& h : helices) {
    GearTexts t = Texts("30", "2");
    t.helix = h.text;
    ASSERT_TRUE(ReadGearTexts(t, &asked, &error)) << h.text << ": " << error.why();
    EXPECT_EQ(asked.helix, h.degrees) << h.text;
    EXPECT_EQ(asked.hand, h.hand) << h.text;
  }
  GearTexts pa = Texts("30", "2");
  pa.pressure_angle = "14d30m";
  ASSERT_TRUE(ReadGearTexts(pa, &asked, &error));
  EXPECT_DOUBLE_EQ(asked.pressure_deg, 14.5);
}

}  // namespace
}  // namespace cog
