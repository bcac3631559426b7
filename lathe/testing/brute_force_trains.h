#pragma once
// A deliberately plain reference for the train search: every ordered choice of
// physical gears (loose gears anywhere, keyed pairs on a middle shaft either
// way round, the first driver at A), every arrangement, exact figures in 128-bit integers and its
// own copy of the fit rules, written from the rules' definitions and not from
// the search's code. Slow on purpose; for tests and benchmarks only.

#include <optional>
#include <vector>

#include "lathe/profile.h"
#include "lathe/target.h"

namespace cog::testing {

struct ReferenceRow {
  int kind = 0;            // 2, 4 or 6
  std::vector<int> gears;  // as the row is shown
  int gearbox = -1;
  __int128 ratio_num = 0, ratio_den = 1;  // reduced
  __int128 error_num = 0, error_den = 1;  // reduced; exact targets only
  long double error_approx = 0;
  std::optional<bool> fits;
  // The hand cut with the tumbler normal, from the meshes: each turns the
  // next shaft the other way, so after an even number the lead screw turns
  // with the spindle and cuts the right hand of a right-hand screw.
  Hand normal_hand = Hand::kRight;
};

// The hand `row` cuts on `profile` for a target of `hand`: that hand with a
// tumbler (set for it), else the only hand the train's meshes give.
Hand CutsHand(const LatheProfile& profile, Hand hand, const ReferenceRow& row);

// Every row the profile allows for `target`, in the search's order, with the
// rows that do not fit left out unless keep_unfit.
std::vector<ReferenceRow> BruteForceTrains(const LatheProfile& profile, const Lead& target,
                                           bool keep_unfit);

}  // namespace cog::testing
