#pragma once
// Thread charts, and which one gear to add to a set to improve a chart most.
//
// A chart has one line per lead of the chosen built-in series (the sizes that
// share it listed together), with the best train that fits and cuts the
// line's hand on the lathe (the first row of TrainSearch::Find, as `thread`
// gives it), or none when no train of the set fits within the
// tolerance (row_facts.h). Gear advice adds each candidate tooth count in turn and
// compares the charts by what it gains: fewer threads without a train first,
// then more threads cut exactly, then the lower worst |error|, then the lower
// mean |error| (over the threads that have a train), then the smaller gear.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lathe/profile.h"
#include "lathe/thread_series.h"
#include "lathe/train_search.h"

namespace cog {

struct ChartRow {
  const ThreadSeries* series = nullptr;
  const ThreadEntry* thread = nullptr;    // the first size of the line
  std::vector<const ThreadEntry*> sizes;  // every size of the series with this lead
  Target target;
  std::optional<TrainRow> best;     // empty: no train of the set fits within the tolerance
  std::optional<TrainRow> nearest;  // without `best`: the best that fits, beyond the tolerance
};

// The lines of `series` in order, each placed at its first size, for the
// search's lathe; false with *error on overflow.
[[nodiscard]] bool BuildChart(const TrainSearch& search,
                              std::span<const ThreadSeries* const> series,
                              std::vector<ChartRow>* rows, std::string* error);

struct ChartSummary {
  int threads = 0;
  int without_train = 0;
  int exact = 0;       // threads whose train cuts them exactly
  Extended worst = 0;  // |error| over the threads with a train
  Extended mean = 0;
};
ChartSummary Summarize(const std::vector<ChartRow>& rows);

// The most candidate gears times gearbox positions one gear advice tries,
// for the shells to enforce before asking. Every candidate is charted at
// every position: on a 59-gear set with six-gear trains and every built-in
// series a pair costs up to about 7 ms of a busy 2-core machine, so this
// keeps the advice to a few seconds; without a gearbox it allows every
// candidate from 8 to 300.
inline constexpr int kMaxAdviceTrials = 300;

struct GearAdvice {
  int teeth = 0;
  ChartSummary after;
};

struct AdviceResult {
  int from = 0, to = 0;  // the candidates tried
  ChartSummary before;
  std::vector<GearAdvice> best;  // at most `count`, best first
};

// Tries every tooth count from `from` to `to` (within 8..300) added to the
// profile's set; only candidates that improve the chart are kept, so none
// means no gear helps. False with *error when the set is already full (60 gears),
// the candidates times the gearbox positions exceed kMaxAdviceTrials, or a
// figure overflows; *input (if given) then names what to change: "gears",
// "from" (the candidates) or "profile". The result is that of charting every
// candidate's set in full and sorting, but each candidate is searched only
// for trains that use its gear, and only until it is sure to rank below the
// best `count` found so far.
[[nodiscard]] bool SuggestGear(const LatheProfile& profile,
                               std::span<const ThreadSeries* const> series, int from, int to,
                               int count, AdviceResult* result, std::string* error,
                               std::string* input = nullptr);

}  // namespace cog
