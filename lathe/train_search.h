#pragma once
// The change-gear trains of one lathe that cut a given lead, best first.
//
// A row is one way to set up the lathe: a train kind, which gears drive and
// which are driven (as multisets of tooth counts), and a gearbox position.
// Arrangements that only swap drivers among themselves or driven gears among
// themselves give the same ratio and are one row, shown as the first
// arrangement in ascending gear order that fits, else the first; a simple
// train (A, D) shows the smallest idler that fits, else the smallest. Each
// physical gear is used at most once.
//
// Rows are ordered by |error|, then fewer gears, then the shown gears in
// ascending order, then gearbox position in profile order. By default rows
// that are checked and do not fit are left out; keep_unfit keeps them. The
// result is exactly the first `top` rows of that order over every row the
// gear set allows.

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "gears/fraction.h"
#include "lathe/defaults.h"
#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/target.h"

namespace cog {

enum class TrainKind { kSimple = 2, kCompound = 4, kSix = 6 };

// error = cut / target - 1: exact for text targets, at extended precision for
// the worm targets (which involve pi).
struct TrainError {
  bool exact = true;
  Fraction value;       // when exact
  Extended approx = 0;  // always set
};

struct TrainRow {
  TrainKind kind = TrainKind::kCompound;
  std::vector<int> gears;  // [A, I, D], [A, B, C, D] or [A, B, C, D, E, F]
  int gearbox = -1;        // index into the profile's gearbox; -1 when it has none
  Fraction ratio;          // cut lead / lead-screw lead: fixed x gearbox x train
  Fraction lead_mm;        // the lead cut per spindle turn
  TrainError error;
  std::optional<bool> fits;  // empty when the fit is not checked
};

// The hand a train of `kind` cuts with the tumbler in its normal position.
// The lead screw is taken as right-handed, as on almost every lathe: a
// simple or compound train turns it the way the spindle turns and cuts its
// own hand; a six-gear train has one mesh more and cuts the other.
Hand NormalHand(TrainKind kind);

struct SearchOptions {
  int top = kDefaultTop;  // below 1: no rows
  bool keep_unfit = false;
  // When set, only trains that cut this hand on this lathe: every kind when
  // the profile has a tumbler, else only the kinds whose NormalHand it is.
  std::optional<Hand> hand;
};

// Limits checked before asking (question_inputs.h), each with a message that
// names it. The search itself takes any figures; these keep one query to a
// few seconds on a small machine.
//
// Rows shown: the search keeps its best rows in a heap, O(log top) per row,
// but each row kept costs an exact evaluation and a line of output; past a
// thousand rows nobody reads them.
inline constexpr int kMaxTop = 1000;
// Gearbox positions are capped where profiles are read (kMaxGearboxPositions).

// Built once per lathe and reused for many targets (charts, gear advice).
class TrainSearch {
 public:
  // False with *error when the profile's figures are too large to combine
  // exactly. REQUIRES: CheckComplete(profile).
  [[nodiscard]] bool Init(const LatheProfile& profile, std::string* error);

  // The best rows for `lead` in order; false with *error when a figure would
  // overflow 64 bits (a lead or ratio given with too many digits).
  [[nodiscard]] bool Find(const Lead& lead, const SearchOptions& options,
                          std::vector<TrainRow>* rows, std::string* error) const;

  // What adding a gear of `teeth` teeth to a set makes possible. The first
  // options.top rows, in order, of every row of this search whose shown
  // gears include that tooth count, together with the rows of `known` that
  // this search shows without it (the others are found again, or shown with
  // the new gear as a simple train's idler). With `known` the rows Find gave
  // for the same lead and options on this set less one gear of `teeth`
  // teeth, the result is what Find gives on this set: each of its rows either
  // uses the gear or is a row of the smaller set, shown the same way.
  // REQUIRES: `known` in order, from a set that differs from this one only
  // by that gear.
  [[nodiscard]] bool FindUsing(const Lead& lead, int teeth, std::span<const TrainRow> known,
                               const SearchOptions& options, std::vector<TrainRow>* rows,
                               std::string* error) const;

  const LatheProfile& profile() const { return profile_; }

  // How many (driver group, gearbox position) pairs one Find walks at most:
  // the figure its time grows with, so that a caller can weigh a chart or
  // gear advice before doing it. Each pair costs a search among the driven
  // groups and, for the few that may enter, an exact evaluation.
  std::int64_t WalkSize() const;

  struct Group;  // a multiset of 0 to 3 loose tooth counts and its product
  struct Setup;  // how the first driver and keyed pairs stand in one kind of train

 private:
  class Walk;  // one query's walk over the groups

  LatheProfile profile_;
  std::vector<int> teeth_;   // distinct tooth counts of the loose gears, ascending
  std::vector<int> counts_;  // how many gears of each
  // Per kind (simple, compound, six): its setups, the loose one first, and
  // per setup and gearbox position: fixed x position x lead screw (mm) x the
  // setup's factor.
  std::vector<Setup> setups_[3];
  std::vector<std::vector<Fraction>> scale_[3];
  std::vector<Group> groups_[4];  // of 0 to 3 gears, by ascending product
  // Per group size and tooth index: the groups holding that tooth count, by
  // ascending product (FindUsing's lists).
  std::vector<std::vector<Group>> holding_[4];
  std::optional<FitLimits> fit_;  // when the profile has a geometry
};

struct TrainSearch::Group {
  std::int64_t product = 1;
  int size = 0;
  int index[3] = {0, 0, 0};  // into teeth_, ascending
};

struct TrainSearch::Setup {
  TrainKind kind = TrainKind::kCompound;
  int drivers = 0;  // loose drivers: all but the first driver and keyed gears
  int driven = 0;   // loose driven gears
  // The keyed pairs in use, each as (driven gear, driver gear): B and C, or D
  // and E. Empty in the loose setup.
  std::vector<std::pair<int, int>> keyed;
  Fraction factor{1, 1};  // first driver x each keyed driver gear / driven gear
};

// Fills a row's ratio, lead and error for `gears` (any kind, any arrangement)
// on `profile` at gearbox position `gearbox` (-1 when it has none), and its fit
// when the profile has a geometry; false with *error on overflow.
[[nodiscard]] bool DescribeTrain(const LatheProfile& profile, const std::vector<int>& gears,
                                 int gearbox, const Lead& target, TrainRow* row,
                                 std::string* error);

}  // namespace cog
