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
      // 6 2/3 turns: 10 of 15, and the classic 12 of 18.
      {6,
       "6 turns and 10 holes in the 15-hole circle (plate 1); set the sector arms to span 10 "
       "holes",
       "6 turns and 12 holes in the 18-hole circle (plate 1); set the sector arms to span 12 "
       "holes"},
      {42,
       "0 turns and 20 holes in the 21-hole circle (plate 2); set the sector arms to span 20 "
       "holes",
       ""},
      {4, "10 whole turns, no plate needed", ""},
      // 127: 40/120 = 5/15 per division; G = 40·(120 - 127)/120 = -7/3 = 56:24,
      // against the crank: three meshes, so two idlers on a head that does
      // not reverse.
      {127,
       "0 turns and 5 holes in the 15-hole circle (plate 1), for 120 divisions; gear the "
       "plate to the spindle 56 : 24 with 2 idlers, so that it turns against the crank; set "
       "the sector arms to span 5 holes",
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

}  // namespace
}  // namespace cog
