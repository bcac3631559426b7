#pragma once
// The answer to "which trains cut this target on my lathe": the search's
// rows that a machinist can use (they fit, they cut the target's hand with
// the lathe's tumbler, they are within the tolerance), or with `all` every
// row marked; and when there is none, why.

#include <string>
#include <vector>

#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/train_search.h"

namespace cog {

enum class NoTrain {
  kNone,             // there are rows
  kTooFewGears,      // the set makes no train of the kinds the profile allows
  kWrongHand,        // without a tumbler, the allowed kinds all cut the other hand
  kBeyondTolerance,  // the nearest train is further off than the tolerance
  kNoneFits,         // trains within the tolerance exist, none fits on the banjo
};

struct ThreadAnswer {
  std::vector<TrainRow> rows;
  NoTrain none = NoTrain::kNone;
  TrainRow nearest;  // kBeyondTolerance: the best row, for its error
};

// The profile with only the train kinds that cut `hand` when the lathe has
// no tumbler; unchanged when it has one.
LatheProfile ForHand(const LatheProfile& profile, Hand hand);

// Why `search` has no row for `target` that fits, cuts its hand on the lathe
// and lies within the tolerance; *nearest is the best row of any fit for
// kBeyondTolerance. REQUIRES: it has none. False with *error on overflow.
[[nodiscard]] bool WhyNoTrain(const TrainSearch& search, const Target& target, NoTrain* why,
                              TrainRow* nearest, std::string* error);

// `options.keep_unfit` is the "all" of the shells: rows that do not fit,
// cut the other hand or lie beyond the tolerance are then kept, marked, and
// those that cut the other hand come after every row that cuts the target's.
// `options.hand` is the target's. False with *error on overflow.
[[nodiscard]] bool AnswerThread(const LatheProfile& profile, const Target& target,
                                const SearchOptions& options, ThreadAnswer* answer,
                                std::string* error);

}  // namespace cog
