#pragma once
// Thread charts, and which one gear to add to a set to improve a chart most.
//
// A chart has one line per lead of the chosen built-in series (the sizes that
// share it listed together), with the best train that fits and cuts the
// line's hand on the lathe (the first row of TrainSearch::Find, as `thread`
// gives it), or none when no train of the set fits within the
// tolerance (row_facts.h). Gear advice adds each candidate tooth count in turn and
// compares the charts by what it gains: more threads gained first (given a
// train where they had none, or made exact), then fewer threads left without
// a train, then the lower worst |error|, then the lower mean |error| (over
// the threads that have a train), then the smaller gear.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lathe/profile.h"
#include "lathe/thread_answer.h"
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
  NoTrain none = NoTrain::kNone;    // without `best`: why, as `thread` finds it
};

// What a chart costs, in steps of the train search: each line starts a walk
// (about kLineSteps of fixed cost) over search.WalkSize() driver groups and
// gearbox positions. Measured on this project's 2-core machine, idle, a step
// of a chart of every series took 4 ns (59 gears, six-gear trains, 48
// gearbox positions) to 11 ns (54 gears and three keyed pairs at 48 positions
// of one ratio, where ties make the search evaluate more), so kMaxChartSteps
// keeps any chart or gear advice within about 3 s there; every real lathe's
// chart of every series is far below it.
inline constexpr std::int64_t kLineSteps = 13'000;
inline constexpr std::int64_t kMaxChartSteps = 250'000'000;
std::int64_t ChartSteps(const TrainSearch& search, std::span<const ThreadSeries* const> series);
// False with *error saying so when ChartSteps is above kMaxChartSteps.
[[nodiscard]] bool CheckChartSteps(const TrainSearch& search,
                                   std::span<const ThreadSeries* const> series, std::string* error);

// The lines of `series` in order, each placed at its first size, for the
// search's lathe; false with *error on overflow, or when the chart would cost
// more than kMaxChartSteps (the error says so and what to give less of).
[[nodiscard]] bool BuildChart(const TrainSearch& search,
                              std::span<const ThreadSeries* const> series,
                              std::vector<ChartRow>* rows, std::string* error);

struct ChartSummary {
  int threads = 0;
  int without_train = 0;
  int exact = 0;       // threads whose train cuts them exactly
  Extended worst = 0;  // |error| over the threads with a train
  Extended mean = 0;
  // In gear advice: the threads the gear gains, each given a train within
  // the tolerance where it had none, or made exact where it was not.
  int gained = 0;
  // Worst and mean are of no thread at all (0 then) when none has a train.
  bool AnyTrain() const { return without_train < threads; }
};
ChartSummary Summarize(const std::vector<ChartRow>& rows);

// The most candidate gears times gearbox positions one gear advice tries.
// Every candidate is charted again for the trains that use its gear, which
// costs about a fifth of the chart itself (kAdviceShare: measured over every
// series on 20 to 59 gears, with and without six-gear trains and a gearbox);
// the advice is refused when the chart and its candidates together would
// cost more than kMaxChartSteps.
inline constexpr int kMaxAdviceTrials = 300;
inline constexpr int kAdviceShare = 5;  // candidates that cost one chart

struct GearAdvice {
  int teeth = 0;
  ChartSummary after;
};

struct AdviceResult {
  int from = 0, to = 0;  // the candidates tried
  ChartSummary before;
  std::vector<GearAdvice> best;   // at most `count`, best first
  std::vector<ChartRow> without;  // the chart's lines without a train, before
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
