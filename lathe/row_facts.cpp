#include "lathe/row_facts.h"

#include "lathe/defaults.h"

namespace cog {

Tumbler TumblerFor(TrainKind kind, Hand hand) {
  return NormalHand(kind) == hand ? Tumbler::kNormal : Tumbler::kReversed;
}

Fraction TolerancePercent(const LatheProfile& profile, const Target& target) {
  if (profile.max_error_percent) return *profile.max_error_percent;
  return Whole(IsFeed(target.unit) ? kFeedTolerancePercent : kThreadTolerancePercent);
}

bool WithinTolerance(const TrainError& error, const Fraction& percent) {
  Fraction limit;
  if (error.exact && Divide(percent, Whole(100), &limit))
    return CompareMagnitude(error.value, limit) <= 0;
  return Fabs(error.approx) <= ToExtended(percent) / 100;
}

RowFacts FactsOf(const LatheProfile& profile, const Target& target, const TrainRow& row) {
  RowFacts facts;
  const Tumbler position = TumblerFor(row.kind, target.hand);
  if (profile.tumbler || position == Tumbler::kNormal) facts.tumbler = position;
  facts.cuts = profile.tumbler ? target.hand : NormalHand(row.kind);
  facts.target_hand = facts.cuts == target.hand;
  if (profile.dial && !IsFeed(target.unit))
    facts.dial = AdviseDial(*profile.dial, profile.leadscrew_mm, row.lead_mm);
  facts.within = WithinTolerance(row.error, TolerancePercent(profile, target));
  return facts;
}

}  // namespace cog
