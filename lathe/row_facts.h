#pragma once
// What a train row means at the lathe besides its figures: which tumbler
// position cuts the target's hand, which hand the row cuts, what the thread
// dial allows, and whether the row is within the tolerance.
//
// Which hand a kind of train cuts with the tumbler normal is NormalHand
// (train_search.h).

#include <optional>

#include "gears/fraction.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/thread_dial.h"
#include "lathe/train_search.h"

namespace cog {

enum class Tumbler { kNormal, kReversed };

// The tumbler position with which a train of `kind` cuts `hand`.
Tumbler TumblerFor(TrainKind kind, Hand hand);

// The tolerance in percent: the profile's "max_error_percent" (which
// --max-error overrides), else kFeedTolerancePercent for feeds and
// kThreadTolerancePercent for threads and worms (defaults.h).
Fraction TolerancePercent(const LatheProfile& profile, const Target& target);

// Whether |error| is at most `percent` / 100.
[[nodiscard]] bool WithinTolerance(const TrainError& error, const Fraction& percent);

struct RowFacts {
  // Empty when the lathe has no tumbler and the train cuts the other hand.
  std::optional<Tumbler> tumbler;
  // The hand the row cuts: the target's with a tumbler (in the position
  // above), else the only hand the train can cut on this lathe.
  Hand cuts = Hand::kRight;
  bool target_hand = true;  // cuts == the target's hand
  // Empty when the lathe has no dial, or the target is a feed.
  std::optional<DialAdvice> dial;
  bool within = true;
};

RowFacts FactsOf(const LatheProfile& profile, const Target& target, const TrainRow& row);

}  // namespace cog
