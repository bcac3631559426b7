#pragma once
// How a lathe's own gears stand in its trains, for the train search
// (internal to train_search.cpp).
//
// A first driver is always A. A keyed pair (two gears on one sleeve) is only
// ever the two gears of one middle shaft: B and C of a compound train, B and
// C or D and E of a six-gear train, either way round. Fixed in place, each
// contributes a fixed factor to the ratio, so a train with them is searched
// like one with fewer loose gears at a scaled gearbox position: a setup.

#include <optional>
#include <utility>
#include <vector>

#include "gears/fraction.h"
#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/train_collector.h"
#include "lathe/train_search.h"

namespace cog {

using TrainSetup = TrainSearch::Setup;

// The setups of `kind` on `profile`: the loose one first (no keyed pair),
// then each way keyed pairs can stand, each set of tooth counts once. False
// when a factor overflows.
[[nodiscard]] bool MakeSetups(const LatheProfile& profile, TrainKind kind,
                              std::vector<TrainSetup>* out);

// Shows the rows of keyed setups. A row is its kind, its drivers and driven
// gears as multisets, and its gearbox position; it may be made in several
// setups, and its arrangements are those of all of them. The search offers
// it from the first setup that makes it, and shows it as the first of all
// its arrangements in ascending order that fits, else the first.
class KeyedArranger {
 public:
  using Group = TrainSearch::Group;

  // The references must outlive the arranger.
  KeyedArranger(const LatheProfile& profile, const std::vector<int>& teeth,
                const std::vector<int>& counts, const std::optional<FitLimits>& fit,
                bool keep_unfit);

  // Fills c->count, c->gears and c->fits for the row of setups[s] with these
  // loose groups, of the kind c->kind. False when an earlier setup makes the
  // same row, when the set cannot provide it, or when it is checked, does
  // not fit and unfit rows are not kept. REQUIRES: s > 0 (a keyed setup).
  bool Arrange(const std::vector<TrainSetup>& setups, std::size_t s, const Group& drivers,
               const Group& driven, Candidate* c) const;

 private:
  // Whether the loose gears hold every tooth count of `needed` (sorted).
  bool Loose(std::vector<int>& needed) const;
  bool Makes(const TrainSetup& setup, const std::vector<int>& drivers,
             const std::vector<int>& driven) const;
  bool Realizable(const int* gears, int count) const;

  int first_driver_;
  std::vector<std::pair<int, int>> pairs_;  // each keyed pair, smaller first
  const std::vector<int>& teeth_;
  const std::vector<int>& counts_;
  const std::optional<FitLimits>& fit_;
  bool keep_unfit_;
};

}  // namespace cog
