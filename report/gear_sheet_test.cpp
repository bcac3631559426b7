#include "report/gear_sheet.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

GearJob JobFor(int teeth, const Fraction& helix = {0, 1}) {
  GearAsked asked;
  asked.teeth = teeth;
  asked.module_mm = 2;
  asked.size = Whole(2);
  asked.helix = helix;
  asked.hand = helix.num ? HelixHand::kLeft : HelixHand::kNone;
  GearJob job;
  std::string error;
  EXPECT_TRUE(MakeGearJob(asked, BuiltInHead(), &job, &error)) << error;
  return job;
}

// The cutter in both numberings, as a machinist asks for it at the stores.
TEST(GearSheet, CutterNamedBothWays) {
  EXPECT_EQ(CutterText(JobFor(60)),
            "cutter for 55 to 134 teeth: No. 2 of a DP set, No. 7 of a module set");
  EXPECT_EQ(CutterText(JobFor(135)),
            "cutter for 135 teeth to a rack: No. 1 of a DP set, No. 8 of a module set");
  EXPECT_EQ(CutterText(JobFor(12)),
            "cutter for 12 to 13 teeth: No. 8 of a DP set, No. 1 of a module set");
  // 11 teeth, and 9 at 20° (9/cos³20° = 10.85, rounded to 11): none fits.
  EXPECT_EQ(CutterText(JobFor(11)).rfind("no cutter of the set fits 11 teeth: ", 0), 0u);
  EXPECT_EQ(CutterText(JobFor(9, Whole(20))).rfind("no cutter of the set fits 11 virtual", 0), 0u);
}

// 40 teeth, module 2: d 80, tip 84, root 75, depth 4.5; 40/40 is one turn.
TEST(GearSheet, JobSheetTopToBottom) {
  const std::string text = GearText(BuiltInHead(), JobFor(40));
  EXPECT_EQ(text.substr(0, text.find("\nIndex")),
            "Gear: 40 teeth, module 2, 20\u00B0 pressure angle, spur\n"
            "Geometry by ISO 21771; the ISO 53 rack (addendum m, dedendum 1.25 m)\n\n"
            "Blank   turn the blank to 84.000 mm, the tip diameter\n"
            "        pitch diameter 80.000 mm, base 75.175 mm, root 75.000 mm\n"
            "Cutter  cutter for 35 to 54 teeth: No. 3 of a DP set, No. 6 of a module set\n"
            "Depth   cut 4.500 mm deep from the blank's surface: addendum 2.000 mm, dedendum "
            "2.500 mm");
  EXPECT_NE(text.find("Helix   none: a spur gear\n"), std::string::npos);
}

// Gear advice names the command that cuts its first gear, in the size the
// profile states for the set.
TEST(GearSheet, AdviceNamesTheGearCommand) {
  AdviceResult advice;
  EXPECT_EQ(AdviceGearText(LatheProfile{}, advice), "");
  advice.best.push_back({127, {}});
  LatheProfile dp, module, none;
  dp.stated_dp = Whole(20);
  module.stated_module = Fraction{5, 4};
  EXPECT_EQ(AdviceGearText(dp, advice),
            "\nTo cut the 127 yourself: cogwright-cli gear 127 --dp 20\n");
  EXPECT_EQ(GearCommandText(module, 63), "cogwright-cli gear 63 --module 1.25");
  EXPECT_EQ(AdviceGearText(none, advice),
            "\nTo cut the 127 yourself: cogwright-cli gear 127 --module M (M: the module of your "
            "gears, or --dp P)\n");
}

}  // namespace
}  // namespace cog
