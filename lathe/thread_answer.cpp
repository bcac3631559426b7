#include "lathe/thread_answer.h"

#include <algorithm>

#include "lathe/row_facts.h"

namespace cog {

LatheProfile ForHand(const LatheProfile& profile, Hand hand) {
  LatheProfile usable = profile;
  if (profile.tumbler) return usable;
  for (TrainKind kind : {TrainKind::kSimple, TrainKind::kCompound, TrainKind::kSix})
    if (TumblerFor(kind, hand) != Tumbler::kNormal)
      usable.trains[static_cast<int>(kind) / 2 - 1] = false;
  return usable;
}

bool AnswerThread(const LatheProfile& profile, const Target& target, const SearchOptions& options,
                  ThreadAnswer* answer, std::string* error) {
  *answer = ThreadAnswer();
  const LatheProfile usable = options.keep_unfit ? profile : ForHand(profile, target.hand);
  const Fraction tolerance = TolerancePercent(profile, target);
  TrainSearch search;
  if (!search.Init(usable, error) || !search.Find(target.lead, options, &answer->rows, error))
    return false;
  if (!options.keep_unfit)
    std::erase_if(answer->rows,
                  [&](const TrainRow& row) { return !WithinTolerance(row.error, tolerance); });
  if (!answer->rows.empty()) return true;
  // Why: the best row of any fit, if any.
  SearchOptions any;
  any.top = 1;
  any.keep_unfit = true;
  std::vector<TrainRow> best;
  if (!search.Find(target.lead, any, &best, error)) return false;
  const bool kinds =
      std::any_of(std::begin(usable.trains), std::end(usable.trains), [](bool on) { return on; });
  if (best.empty()) {
    answer->none = kinds ? NoTrain::kTooFewGears : NoTrain::kWrongHand;
  } else if (!WithinTolerance(best.front().error, tolerance)) {
    answer->none = NoTrain::kBeyondTolerance;
    answer->nearest = best.front();
  } else {
    answer->none = NoTrain::kNoneFits;
  }
  return true;
}

}  // namespace cog
