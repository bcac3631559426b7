#pragma once
// One given train on the user's lathe: what it cuts at each gearbox position,
// each fit rule with its margin, and whether the set holds its gears.

#include <string>
#include <vector>

#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/train_search.h"

namespace cog {

struct TrainReport {
  std::vector<TrainRow> positions;  // one per gearbox position (one without a gearbox)
  std::vector<FitRule> rules;       // empty when the fit is not checked
  // Every gear of the train is one the lathe has: loose, or the first
  // driver at A, or a keyed pair as one middle shaft's two gears (or one
  // gear of a keyed pair as a simple train's idler, the other turning
  // freely beside it); and A is the lathe's own first driver when it has one.
  bool in_set = false;
  std::vector<int> lacking;  // the train's gears the lathe does not hold, in train order
  // The lathe drives every train from its own first driver, and A is
  // another gear.
  bool a_not_first_driver = false;
};

// `gears` is A I D, A B C D or A B C D E F. Without a target (nullptr) the
// rows' errors are left at zero and mean nothing. False with *error when the
// train has another number of gears or a figure overflows.
[[nodiscard]] bool ReportTrain(const LatheProfile& profile, const std::vector<int>& gears,
                               const Target* target, TrainReport* report, std::string* error);

}  // namespace cog
