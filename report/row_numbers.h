#pragma once
// The figures a result row shows, as doubles for printing: each is computed
// exactly from fractions and rounded once where the figures allow it, and at
// extended precision for the worm targets (which involve pi).

#include "gears/fraction.h"
#include "lathe/target.h"
#include "lathe/train_search.h"

namespace cog {

struct RowNumbers {
  double lead_mm = 0;              // cut per spindle turn
  double tpi = 0;                  // 25.4 / lead
  double error = 0;                // cut / target - 1
  bool exact = false;              // the error is exactly 0
  double error_per_thread_um = 0;  // (cut - target) in micrometres
  double drift_um = 0;             // error x length, in micrometres
};

RowNumbers NumbersOf(const TrainRow& row, const Lead& target, const Fraction& length_mm);

}  // namespace cog
