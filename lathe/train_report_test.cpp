// One given train: its ratio through the fixed ratio and each gearbox position,
// whether the set holds its gears, and when its fit is reported.

#include "lathe/train_report.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

// The report of `gears` on the lathe `json`, cutting `target` unless it is "".
TrainReport Report(const char* json, const std::vector<int>& gears, const char* target = "",
                   bool ok = true) {
  LatheProfile p;
  Target t;
  std::string error;
  TrainReport r;
  EXPECT_TRUE(ReadProfile(json, &p, &error) && (!*target || ReadTarget(target, 1, &t, &error)));
  EXPECT_EQ(ok, ReportTrain(p, gears, *target ? &t : nullptr, &r, &error)) << error;
  EXPECT_EQ(ok, error.empty()) << error;
  return r;
}

// Spindle to train 1/2, then gearbox A 1/3 or B 5/4, then the train.
constexpr const char* kGearbox = R"({"leadscrew": "3mm", "fixed_ratio": "1/2",
    "gearbox": [{"name": "A", "ratio": "1/3"}, {"name": "B", "ratio": "5/4"}],
    "gears": [20, 30, 40, 45, 50, 60]})";

TEST(TrainReportTest, RatioIsFixedTimesGearboxTimesTrain) {
  const struct {
    std::vector<int> gears;
    Fraction a, b;
  } cases[] = {
      // 40/30 x 20/50 = 8/15: A 1/2 x 1/3 x 8/15 = 4/45, B 1/2 x 5/4 x 8/15 = 1/3.
      {{40, 30, 20, 50}, {4, 45}, {1, 3}},
      // The idler does not count: 30/60 = 1/2; A 1/12, B 5/16.
      {{30, 45, 60}, {1, 12}, {5, 16}},
      // 20 x 40 x 50 / (30 x 45 x 60) = 40/81; A 20/243, B 25/81.
      {{20, 30, 40, 45, 50, 60}, {20, 243}, {25, 81}},
  };
  for (const auto& c : cases) {
    const TrainReport r = Report(kGearbox, c.gears);
    ASSERT_EQ(2u, r.positions.size());
    EXPECT_EQ(c.a, r.positions[0].ratio) << c.gears[0];
    EXPECT_EQ(c.b, r.positions[1].ratio) << c.gears[0];
    EXPECT_EQ(0, r.positions[0].gearbox);
    EXPECT_EQ(1, r.positions[1].gearbox);
    EXPECT_TRUE(r.in_set);
  }
  // On the 3 mm screw 1/3 cuts 1 mm: exact at B, 4/15 mm (error -11/15) at A.
  const TrainReport r = Report(kGearbox, {40, 30, 20, 50}, "1mm");
  ASSERT_EQ(2u, r.positions.size());
  EXPECT_EQ((Fraction{4, 15}), r.positions[0].lead_mm);
  EXPECT_EQ((Fraction{-11, 15}), r.positions[0].error.value);
  EXPECT_EQ((Fraction{1, 1}), r.positions[1].lead_mm);
  EXPECT_EQ((Fraction{0, 1}), r.positions[1].error.value);
}

TEST(TrainReportTest, InSetTakesEachGearOnce) {
  const char* set = R"({"leadscrew": "2mm", "gears": [20, 20, 30, 40, 50]})";
  const struct {
    std::vector<int> gears;
    bool in_set;
  } cases[] = {
      {{20, 30, 20, 50}, true},    // both 20s
      {{20, 20, 30}, true},        // both 20s in a simple train
      {{40, 30, 40, 50}, false},   // one 40 only
      {{20, 30, 40, 127}, false},  // no 127
      {{50, 30, 20}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.in_set, Report(set, c.gears).in_set) << c.gears[2];
}

// Keyed 30+60 and the first driver 24 count only where they may stand.
TEST(TrainReportTest, FixedGearsHeldOnlyWhereTheyStand) {
  const char* lathe = R"({"leadscrew": "2mm", "gears": [20, 40, 50],
      "keyed": [[30, 60]], "first_driver": 24})";
  const struct {
    std::vector<int> gears;
    std::vector<int> lacking;
  } cases[] = {
      {{24, 30, 60, 50}, {}},                // keyed as B C
      {{24, 60, 30, 50}, {}},                // turned round
      {{24, 30, 40, 60}, {30, 60}},          // split across shafts
      {{24, 50, 30, 60}, {30, 60}},          // split: C on the middle shaft, D on the lead screw
      {{30, 60, 24, 50}, {30, 60, 24}},      // keyed at A B, first driver as C
      {{24, 24, 50}, {24}},                  // the first driver is no idler
      {{24, 60, 50}, {}},                    // a keyed gear as the idler, its mate turning idle
      {{24, 30, 60}, {60}},                  // one keyed pair: idler or D, not both
      {{24, 20, 20}, {20}},                  // the loose 20 goes to D, no second for the idler
      {{24, 20, 50}, {}},                    // simple: first driver, loose idler and D
      {{24, 20, 40, 30, 60, 50}, {}},        // keyed as D E of six
      {{24, 30, 60, 30, 60, 50}, {30, 60}},  // one pair only
  };
  for (const auto& c : cases) EXPECT_EQ(c.lacking, Report(lathe, c.gears).lacking) << c.gears[1];
}

// A lathe with its own first driver drives every train from it: a train
// with another gear at A is not one it can set up, though it holds that gear.
TEST(TrainReportTest, AMustBeTheFirstDriver) {
  const char* lathe = R"({"leadscrew": "2mm", "gears": [20, 40, 50], "first_driver": 24})";
  const struct {
    std::vector<int> gears;
    bool a_not_first_driver;
  } cases[] = {
      {{24, 20, 50}, false},
      {{40, 20, 50}, true},
      {{20, 24, 40, 50}, true},
  };
  for (const auto& c : cases) {
    const TrainReport r = Report(lathe, c.gears);
    EXPECT_EQ(c.a_not_first_driver, r.a_not_first_driver) << c.gears[0];
    EXPECT_EQ(!c.a_not_first_driver && r.lacking.empty(), r.in_set) << c.gears[0];
  }
  EXPECT_FALSE(
      Report(R"({"leadscrew": "2mm", "gears": [20, 40, 50]})", {40, 20, 50}).a_not_first_driver);
}

TEST(TrainReportTest, RulesOnlyWithAGeometryAndThreeOrFourGears) {
  const char* banjo = R"({"leadscrew": "2mm", "gears": [20, 30, 40, 50, 60, 70],
      "module": 1, "centre_distance_mm": 90, "slot_mm": [30, 80]})";
  EXPECT_EQ(7u, Report(banjo, {40, 30, 20, 50}).rules.size());
  EXPECT_EQ(4u, Report(banjo, {40, 30, 20}).rules.size());
  EXPECT_TRUE(Report(banjo, {20, 30, 40, 50, 60, 70}).rules.empty());
  EXPECT_TRUE(Report(kGearbox, {40, 30, 20, 50}).rules.empty());
  for (const std::vector<int>& wrong : {std::vector<int>{40, 30}, {40, 30, 20, 50, 60}})
    EXPECT_TRUE(Report(banjo, wrong, "", false).positions.empty());
}

}  // namespace
}  // namespace cog
