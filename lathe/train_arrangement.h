#pragma once
// How the train search shows the row of a pair of groups (drivers, driven)
// and whether it fits; internal to the search (train_search.cpp).
//
// A simple train shows the smallest idler the set has left that fits, else
// the smallest left; a compound train the first of its arrangements in
// ascending gear order that fits, else the first; a six-gear train its
// drivers and driven gears ascending, alternately. None of this depends on
// the gearbox position or the target, so the search may decide it once per
// pair, and before any error is computed.
//
// With a first driver (the lathe's own gear, always A) the drivers group
// holds only the other drivers: C (and E), none in a simple train. Rows
// that need a keyed pair are shown by KeyedArranger instead.

#include <optional>
#include <vector>

#include "lathe/fit_rules.h"
#include "lathe/train_collector.h"
#include "lathe/train_search.h"

namespace cog {

class Arranger {
 public:
  using Group = TrainSearch::Group;

  // The references must outlive the arranger. first_driver 0: none.
  Arranger(const std::vector<int>& teeth, const std::vector<int>& counts,
           const std::optional<FitLimits>& fit, bool keep_unfit, int first_driver = 0);

  // Fills c->count, c->gears and c->fits for the row of these groups of the
  // kind c->kind. False when the set cannot provide the row (more gears of a
  // tooth count than it has, or no idler left), or when the row is checked,
  // does not fit and unfit rows are not kept. REQUIRES: each group is one
  // the set can provide by itself.
  bool Arrange(const Group& drivers, const Group& driven, Candidate* c) const;

  // Whether rows of this kind are left out for not fitting, so that
  // FittingPartners applies.
  bool Filters(TrainKind kind) const {
    return kind != TrainKind::kSix && fit_.has_value() && !keep_unfit_;
  }

  // False when no row of this kind with these drivers can fit, whatever the
  // driven gears: then Filters(kind) leaves all of them out.
  bool MayFit(TrainKind kind, const Group& drivers) const;

  // Every index j of a list of pair groups for which Arrange accepts the
  // compound row (drivers, list[j]), ascending, found from the fit limits
  // without trying the other pairs. `where[a * n + b]` (n tooth counts, a <=
  // b) is the index in the list of the group of tooth indices a and b, or -1.
  // REQUIRES: Filters(kCompound), drivers.size == 2 (1 with a first driver).
  void FittingPartners(const Group& drivers, const std::vector<int>& where,
                       std::vector<int>* out) const;

 private:
  bool Available(const Group& drivers, const Group& driven) const;
  bool ArrangeSimple(const Group& drivers, const Group& driven, Candidate* c) const;
  bool ArrangeCompound(Candidate* c) const;

  const std::vector<int>& teeth_;
  const std::vector<int>& counts_;
  const std::optional<FitLimits>& fit_;
  bool keep_unfit_;
  int first_driver_;
};

}  // namespace cog
