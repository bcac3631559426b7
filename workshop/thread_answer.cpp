#include "workshop/thread_answer.h"

#include <algorithm>

#include "workshop/figure_text.h"
#include "workshop/fraction_text.h"
#include "workshop/row_facts.h"
#include "workshop/row_numbers.h"

namespace cog {

LatheProfile ForHand(const LatheProfile& profile, Hand hand) {
  LatheProfile usable = profile;
  if (profile.tumbler) return usable;
  for (TrainKind kind : {TrainKind::kSimple, TrainKind::kCompound, TrainKind::kSix})
    if (TumblerFor(kind, hand) != Tumbler::kNormal) usable.trains[static_cast<int>(kind) / 2 - 1] = false;
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
  const bool kinds = std::any_of(std::begin(usable.trains), std::end(usable.trains),
                                 [](bool on) { return on; });
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

std::string NoTrainText(const LatheProfile& profile, const Target& target,
                        const ThreadAnswer& answer, bool* more) {
  *more = answer.none == NoTrain::kBeyondTolerance || answer.none == NoTrain::kNoneFits ||
          answer.none == NoTrain::kWrongHand;
  const std::string tolerance = ShortestText(ToDouble(TolerancePercent(profile, target)));
  switch (answer.none) {
    case NoTrain::kNone:
      break;
    case NoTrain::kTooFewGears:
      return "No train: the set has too few gears for the kinds of train the profile allows";
    case NoTrain::kWrongHand:
      return "No train: without a tumbler, the kinds of train the profile allows all cut the "
             "other hand (six-gear trains cut the other hand from simple and compound ones)";
    case NoTrain::kBeyondTolerance: {
      const RowNumbers n = NumbersOf(answer.nearest, target.lead, Whole(25));
      return "No train within " + tolerance + " % (the nearest is " + ErrorPercent(n) + " off)";
    }
    case NoTrain::kNoneFits:
      return "No train of this set within " + tolerance + " % fits on the banjo";
  }
  return "";
}

}  // namespace cog
