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
  GearSpec spec;
  InputError error;
  GearTexts dp = Texts("40", std::nullopt);
  dp.dp = "24";
  ASSERT_TRUE(ReadGearTexts(dp, &spec, &error)) << error.text;
  EXPECT_DOUBLE_EQ(spec.module_mm, 25.4 / 24);
  EXPECT_EQ(spec.system, ToothSystem::kDp);
  GearTexts cp = Texts("40", std::nullopt);
  cp.cp = "0.5";
  ASSERT_TRUE(ReadGearTexts(cp, &spec, &error)) << error.text;
  EXPECT_NEAR(spec.module_mm, 4.042535554534, 1e-11);
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
    ASSERT_TRUE(ReadGearTexts(t, &spec, &error)) << h.text << ": " << error.text;
    EXPECT_EQ(spec.helix, h.degrees) << h.text;
    EXPECT_EQ(spec.hand, h.hand) << h.text;
  }
  GearTexts pa = Texts("30", "2");
  pa.pressure_angle = "14d30m";
  ASSERT_TRUE(ReadGearTexts(pa, &spec, &error));
  EXPECT_DOUBLE_EQ(spec.pressure_deg, 14.5);
}

// Each refusal names its input; the bounds are the open ones the tool states.
TEST(GearQuestion, Refusals) {
  struct Case {
    GearTexts texts;
    const char* input;
  };
  auto with = [](auto change) {
    GearTexts t = Texts("30", "2");
    change(t);
    return t;
  };
  const Case cases[] = {
      {Texts("4", "2"), "teeth"},
      {Texts("1001", "2"), "teeth"},
      {Texts("20.5", "2"), "teeth"},
      {Texts("30", std::nullopt), "size"},
      {with([](GearTexts& t) { t.dp = "10"; }), "size"},
      {Texts("30", "0"), "module"},
      {Texts("30", "-2"), "module"},
      {Texts("30", "inf"), "module"},
      {with([](GearTexts& t) { t.pressure_angle = "45"; }), "pressure_angle"},
      {with([](GearTexts& t) { t.pressure_angle = "0"; }), "pressure_angle"},
      {with([](GearTexts& t) { t.helix = "22.5"; }), "helix"},
      {with([](GearTexts& t) { t.helix = "90R"; }), "helix"},
      {with([](GearTexts& t) { t.helix = "0L"; }), "helix"},
      {with([](GearTexts& t) { t.helix = "22d60mR"; }), "helix"},
      {with([](GearTexts& t) { t.pin = "0"; }), "pin"},
      {with([](GearTexts& t) { t.shift = "1.5"; }), "shift"},
  };
  for (const Case& c : cases) {
    GearSpec spec;
    InputError error;
    EXPECT_FALSE(ReadGearTexts(c.texts, &spec, &error)) << c.input;
    EXPECT_EQ(error.input, c.input) << error.text;
    EXPECT_FALSE(error.text.empty());
  }
}

}  // namespace
}  // namespace cog
