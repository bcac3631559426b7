#pragma once
// A lathe small enough to work its rows by hand, for the writers' tests: a
// 2 mm lead screw, gearbox positions A (1/1) and B (1/2), gears 20 30 40 60,
// a 16-tooth dial of 4 marks, a 0.5 % tolerance and no banjo geometry (so a
// row's fit is not checked).
//
// On it, 20 -> 40 through the 30 idler halves the screw: 1 mm at A, 25.4 tpi,
// and the dial gear turns 16 x 2 / 1 = 32 spindle turns a dial turn, 8 a
// mark: any mark. Compound 20/40 x 30/60 is a quarter: 0.5 mm at A.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/thread_chart.h"
#include "lathe/train_search.h"

namespace cog::testing {

inline LatheProfile SmallLathe() {
  LatheProfile p;
  std::string error;
  EXPECT_TRUE(ReadProfile(R"({"leadscrew": "2mm", "gears": [20, 30, 40, 60],
      "gearbox": [{"name": "A", "ratio": "1/1"}, {"name": "B", "ratio": "1/2"}],
      "thread_dial": {"teeth": 16, "marks": 4}, "max_error_percent": 0.5})",
                          &p, &error))
      << error;
  return p;
}

// The same lathe without gearbox, dial or tumbler.
inline LatheProfile PlainLathe() {
  LatheProfile p = SmallLathe();
  p.gearbox.clear();
  p.dial.reset();
  p.tumbler = false;
  return p;
}

inline Target TargetOf(const char* text) {
  Target t;
  std::string error;
  EXPECT_TRUE(ReadTarget(text, 1, &t, &error)) << error;
  return t;
}

// The row of exactly these gears at gearbox position `gearbox` (-1: none).
inline TrainRow Row(const LatheProfile& p, const std::vector<int>& gears, int gearbox,
                    const Target& t) {
  TrainRow row;
  std::string error;
  EXPECT_TRUE(DescribeTrain(p, gears, gearbox, t.lead, &row, &error)) << error;
  return row;
}

// Sizes P and Q share 1 mm, one line cut by 20 30 40 at A; R's 1.01 mm is
// nearest to that same train, 1/1.01 - 1 = -0.99 % off, beyond 0.5 %.
inline constexpr ThreadEntry kOdd[] = {{"P", "1mm"}, {"Q", "1mm"}, {"R", "1.01mm"}};
inline const ThreadSeries kOddSeries{"odd", "Odd sizes", kOdd};

inline std::vector<ChartRow> OddChart(const LatheProfile& p) {
  const ThreadSeries* series[] = {&kOddSeries};
  TrainSearch search;
  std::vector<ChartRow> rows;
  std::string error;
  EXPECT_TRUE(search.Init(p, &error) && BuildChart(search, series, &rows, &error)) << error;
  EXPECT_EQ(2u, rows.size());
  return rows;
}

}  // namespace cog::testing
