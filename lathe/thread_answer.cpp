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

bool WhyNoTrain(const TrainSearch& search, const Target& target, NoTrain* why, TrainRow* nearest,
                std::string* error) {
  SearchOptions any;
  any.top = 1;
  any.keep_unfit = true;
  any.hand = target.hand;
  std::vector<TrainRow> best;
  if (!search.Find(target.lead, any, &best, error)) return false;
  const LatheProfile usable = ForHand(search.profile(), target.hand);
  const bool kinds =
      std::any_of(std::begin(usable.trains), std::end(usable.trains), [](bool on) { return on; });
  if (best.empty()) {
    *why = kinds ? NoTrain::kTooFewGears : NoTrain::kWrongHand;
  } else if (!WithinTolerance(best.front().error, TolerancePercent(search.profile(), target))) {
    *why = NoTrain::kBeyondTolerance;
    *nearest = best.front();
  } else {
    *why = NoTrain::kNoneFits;
  }
  return true;
}

bool AnswerThread(const LatheProfile& profile, const Target& target, const SearchOptions& options,
                  ThreadAnswer* answer, std::string* error) {
  *answer = ThreadAnswer();
  const LatheProfile usable = ForHand(profile, target.hand);
  const Fraction tolerance = TolerancePercent(profile, target);
  SearchOptions own = options;
  own.hand = target.hand;
  TrainSearch search;
  if (!search.Init(options.keep_unfit ? profile : usable, error) ||
      !search.Find(target.lead, own, &answer->rows, error))
    return false;
  if (options.keep_unfit && !profile.tumbler &&
      static_cast<int>(answer->rows.size()) < options.top) {
    // Trains of the other hand come after every train of the target's: on
    // this lathe they cut a thread nobody asked for, however close its lead.
    SearchOptions other = options;
    other.hand = target.hand == Hand::kRight ? Hand::kLeft : Hand::kRight;
    other.top = options.top - static_cast<int>(answer->rows.size());
    std::vector<TrainRow> more;
    if (!search.Find(target.lead, other, &more, error)) return false;
    answer->rows.insert(answer->rows.end(), more.begin(), more.end());
  }
  if (!options.keep_unfit)
    std::erase_if(answer->rows,
                  [&](const TrainRow& row) { return !WithinTolerance(row.error, tolerance); });
  if (!answer->rows.empty()) return true;
  return WhyNoTrain(search, target, &answer->none, &answer->nearest, error);
}

}  // namespace cog
