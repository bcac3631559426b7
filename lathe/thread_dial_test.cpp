#include "lathe/thread_dial.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

// Worked by hand from the lead screw, the dial and the spindle: between two
// marks the lead screw turns T/k times and the spindle T P / (k L) times.
TEST(ThreadDial, HandWorkedCharts) {
  // An 8 tpi lead screw (P = 25.4/8 mm) with a 16-tooth dial of 4 numbered
  // lines: a line every 4 screw turns, 1/2 inch of carriage travel.
  const ThreadDial inch{{16}, 4};
  // Metric 3 mm screw with change dial gears of 14, 15 and 16 teeth, 8 marks.
  const ThreadDial metric{{14, 15, 16}, 8};
  // Two dial gears as good for 10 tpi (20 and 40 turns a dial turn, 5 and 10
  // a line): the first listed is the one to fit.
  const ThreadDial tie{{16, 32}, 4}, tie_reversed{{32, 16}, 4};
  struct {
    const ThreadDial& dial;
    Fraction screw, lead;
    int teeth, every;
    const char* text;
  } cases[] = {
      // 10 tpi: 4 x (10/8) = 5 spindle turns a line.
      {inch, {127, 40}, {127, 50}, 16, 1, "any mark"},
      // 11 tpi: 5.5 a line, 11 every 2nd.
      {inch, {127, 40}, {127, 55}, 16, 2, "every 2nd mark"},
      // 11.5 tpi: 5.75 a line; a whole dial turn, 23, is the first whole.
      {inch, {127, 40}, {254, 115}, 16, 4, "the same mark only"},
      // 1.5 mm on the inch screw: 16 x 3.175 / 1.5 is not whole.
      {inch, {127, 40}, {3, 2}, 0, 0, "keep the half-nut closed"},
      // 1.5 mm on 3 mm: 2T turns a dial turn, T/4 a mark: 16T whole.
      {metric, {3, 1}, {3, 2}, 16, 1, "16T: any mark"},
      // 1.25 mm: 2.4 T a dial turn, whole only for 15T (36), 4.5 a mark.
      {metric, {3, 1}, {5, 4}, 15, 2, "15T: every 2nd mark"},
      // 1.75 mm: 12T/7, whole only for 14T (24), 3 a mark.
      {metric, {3, 1}, {7, 4}, 14, 1, "14T: any mark"},
      // 0.7 mm: 30T/7, whole for 14T (60), 7.5 a mark.
      {metric, {3, 1}, {7, 10}, 14, 2, "14T: every 2nd mark"},
      {tie, {127, 40}, {127, 50}, 16, 1, "16T: any mark"},
      {tie_reversed, {127, 40}, {127, 50}, 32, 1, "32T: any mark"},
      // 11 tpi: 16T gives 22 turns a dial turn, every 2nd line; 32T any line.
      {tie, {127, 40}, {127, 55}, 32, 1, "32T: any mark"},
  };
  for (const auto& c : cases) {
    const DialAdvice advice = AdviseDial(c.dial, c.screw, c.lead);
    EXPECT_EQ(c.teeth, advice.teeth) << c.text;
    EXPECT_EQ(c.every, advice.every) << c.text;
    EXPECT_EQ(c.text, DialText(c.dial, advice));
  }
}

// English ordinals, the teens included: a dial of 200 marks, so that each
// count is "every Nth" and none is the whole dial.
TEST(ThreadDial, EveryNthMark) {
  const ThreadDial dial{{16}, 200};
  const struct {
    int every;
    const char* text;
  } cases[] = {
      {1, "any mark"},           {2, "every 2nd mark"},
      {3, "every 3rd mark"},     {4, "every 4th mark"},
      {10, "every 10th mark"},   {11, "every 11th mark"},
      {12, "every 12th mark"},   {13, "every 13th mark"},
      {21, "every 21st mark"},   {22, "every 22nd mark"},
      {23, "every 23rd mark"},   {101, "every 101st mark"},
      {111, "every 111th mark"}, {112, "every 112th mark"},
      {113, "every 113th mark"}, {200, "the same mark only"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, DialText(dial, {16, c.every}));
}

}  // namespace
}  // namespace cog
