#include "report/divide_cells.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cog {
namespace {

// Worked by hand: T = 40/N on the 40:1 head with its usual plates.
TEST(WayTextTest, HandWorkedExamples) {
  const Indexer indexer(BuiltInHead());
  struct Case {
    int n;
    std::string first;  // the best way
    std::string also;   // another way offered, or ""
  } cases[] = {
      // 6 2/3 turns: 10 of 15, and the classic 12 of 18. The arms are set
      // by spaces: 10 spaces take in 11 holes, the pin's own among them.
      {6,
       "6 turns and 10 holes in the 15-hole circle (plate 1), the plate locked by its stop pin; "
       "set the sector arms 10 spaces apart: 11 holes including the one the pin is in",
       "6 turns and 12 holes in the 18-hole circle (plate 1), the plate locked by its stop pin; "
       "set the sector arms 12 spaces apart: 13 holes including the one the pin is in"},
      // No "0 turns and".
      {42,
       "20 holes in the 21-hole circle (plate 2), the plate locked by its stop pin; set the "
       "sector arms 20 spaces apart: 21 holes including the one the pin is in",
       ""},
      // 1 1/3 turns: "1 turn", not "1 turns".
      {30,
       "1 turn and 5 holes in the 15-hole circle (plate 1), the plate locked by its stop pin; "
       "set the sector arms 5 spaces apart: 6 holes including the one the pin is in",
       ""},
      {4, "10 whole turns, no plate needed", ""},
      // 127: 40/120 = 5/15 per division; G = 40·(120 - 127)/120 = -7/3 = 56:24,
      // against the crank: three meshes, so two idlers on a head that does
      // not reverse. The spindle carries the driver.
      {127,
       "5 holes in the 15-hole circle (plate 1), index as for 120; withdraw the plate's stop pin "
       "and gear the plate to the spindle, 56 on the "
       "spindle, 24 on the plate's shaft, with 2 idlers, so that the plate turns against the "
       "crank; set the sector arms 5 spaces apart: 6 holes including the one the pin is in",
       ""},
  };
  for (const Case& c : cases) {
    DivideAnswer answer;
    std::string error;
    ASSERT_TRUE(indexer.WaysForDivisions(c.n, 10, &answer, &error));
    ASSERT_FALSE(answer.ways.empty()) << c.n;
    EXPECT_EQ(WayText(answer.ways[0]), c.first) << c.n;
    if (c.also.empty()) continue;
    EXPECT_TRUE(std::any_of(answer.ways.begin(), answer.ways.end(), [&](const Way& w) {
      return WayText(w) == c.also;
    })) << c.n;
  }
}

// Compound indexing moves the plate itself: its stop pin comes out. 40/69
// has no 69-hole circle; 14/21 - 2/23 = (322 - 42)/483 = 280/483 = 40/69.
TEST(WayTextTest, CompoundWithdrawsTheStopPin) {
  DivideOptions options;
  options.top = 1;
  options.method = Method::kCompound;
  DivideAnswer answer;
  std::string error;
  ASSERT_TRUE(Indexer(BuiltInHead()).WaysForDivisions(69, options, &answer, &error));
  ASSERT_EQ(answer.ways.size(), 1u);
  EXPECT_EQ(WayText(answer.ways[0]),
            "14 holes in the 21-hole circle (plate 2), then withdraw the plate's stop pin and "
            "move the plate 2 holes in its 23-hole circle, against the crank; set the sector "
            "arms 14 spaces apart: 15 holes including the one the pin is in");
}

// A head whose file switches differential indexing off is told so, not to
// add gears.
TEST(WayTextTest, WhyNamesTheSwitchedOffDifferential) {
  DividingHead head = BuiltInHead();
  head.differential = false;
  DivideAnswer answer;
  std::string error;
  ASSERT_TRUE(Indexer(head).WaysForDivisions(127, 1, &answer, &error));
  EXPECT_NE(WhyText(head, answer).find("differential indexing is switched off in the head file"),
            std::string::npos)
      << WhyText(head, answer);
}

}  // namespace
}  // namespace cog
