#include "workshop/thread_chart.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace cog {
namespace {

// A chart as its summary reads it: per thread, the best train's error, or
// none.
using ChartErrors = std::vector<std::optional<Extended>>;

ChartSummary SummaryOf(const ChartErrors& errors) {
  ChartSummary s;
  Extended sum = 0;
  for (const std::optional<Extended>& error : errors) {
    ++s.threads;
    if (!error) {
      ++s.without_train;
      continue;
    }
    const Extended e = Fabs(*error);
    if (e > s.worst) s.worst = e;
    sum += e;
  }
  const int with_train = s.threads - s.without_train;
  s.mean = with_train ? sum / Extended(with_train) : Extended(0);
  return s;
}

ChartErrors ErrorsOf(const std::vector<ChartRow>& rows) {
  ChartErrors errors;
  for (const ChartRow& row : rows)
    errors.push_back(row.best ? std::optional(row.best->error.approx) : std::nullopt);
  return errors;
}

bool AdviceBefore(const GearAdvice& a, const GearAdvice& b) {
  return std::make_tuple(a.after.without_train, a.after.worst, a.after.mean, a.teeth) <
         std::make_tuple(b.after.without_train, b.after.worst, b.after.mean, b.teeth);
}

// The threads a new gear may change, most telling first: those without a
// train (they decide the first key), then by falling |error| (the worst
// decides the second, the large ones most of the mean). A thread cut
// exactly stays so: a gear can change its train but not its |error| of 0.
std::vector<std::size_t> SearchOrder(const ChartErrors& before) {
  std::vector<std::size_t> order;
  for (std::size_t k = 0; k < before.size(); ++k)
    if (!before[k] || Fabs(*before[k]) != 0) order.push_back(k);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (!before[a] || !before[b]) return !before[a] && before[b];
    return Fabs(*before[a]) > Fabs(*before[b]);
  });
  return order;
}

// What the threads searched so far prove about a candidate's summary: a new
// gear only adds trains, so each thread's |error| can only fall and a
// thread without a train can only gain one. Those not yet searched may
// still fall to 0, or gain a train.
class PartialChart {
 public:
  explicit PartialChart(const ChartSummary& before)
      : threads_(before.threads),
        without_(before.without_train),
        unsearched_(before.without_train) {}

  // A thread searched: its |error| before (none: no train) and after.
  void Add(const std::optional<Extended>& before, const std::optional<Extended>& after) {
    if (!before) {
      --unsearched_;
      if (!after) return;
      --without_;
    }
    const Extended e = Fabs(*after);
    if (e > worst_) worst_ = e;
    sum_ += e;
  }

  // Whether the candidate's summary must come after `kth` however the
  // threads not searched yet turn out. Only a strictly worse summary is
  // proof: on a tie the teeth decide. When as few threads as possible end
  // without a train, the worst and the mean can only grow from here; with
  // more, it is worse anyway. The mean, summed in another order than the
  // summary's, is judged with a margin far wider than the rounding of a few
  // thousand additions.
  bool CannotBeat(const ChartSummary& kth) const {
    const int least_without = without_ - unsearched_;
    if (least_without != kth.without_train) return least_without > kth.without_train;
    if (worst_ != kth.worst) return worst_ > kth.worst;
    const int with_train = threads_ - least_without;
    if (with_train == 0) return false;
    const Extended least_mean = sum_ / Extended(with_train);
    return least_mean * (Extended(1) - Extended(1e-12)) > kth.mean;
  }

 private:
  int threads_;
  int without_;     // with the threads not searched yet counted as without
  int unsearched_;  // threads without a train before, not searched yet
  Extended worst_ = 0;
  Extended sum_ = 0;
};

}  // namespace

bool BuildChart(const TrainSearch& search, std::span<const ThreadSeries* const> series,
                std::vector<ChartRow>* rows, std::string* error) {
  rows->clear();
  SearchOptions first_only;
  first_only.top = 1;
  std::vector<TrainRow> found;
  for (const ThreadSeries* s : series) {
    for (const ThreadEntry& thread : s->threads) {
      ChartRow row;
      row.series = s;
      row.thread = &thread;
      // The built-in texts always read; a failure here is a fault in the data.
      if (!ReadTarget(thread.target, 1, &row.target, error)) return false;
      if (!search.Find(row.target.lead, first_only, &found, error)) return false;
      if (!found.empty()) row.best = std::move(found.front());
      rows->push_back(std::move(row));
    }
  }
  return true;
}

ChartSummary Summarize(const std::vector<ChartRow>& rows) { return SummaryOf(ErrorsOf(rows)); }

bool SuggestGear(const LatheProfile& profile, std::span<const ThreadSeries* const> series, int from,
                 int to, int count, AdviceResult* result, std::string* error) {
  if (profile.gears.size() >= static_cast<std::size_t>(kMaxGears)) {
    *error = "the set already has 60 gears, the most a profile may list";
    return false;
  }
  TrainSearch search;
  std::vector<ChartRow> rows;
  if (!search.Init(profile, error) || !BuildChart(search, series, &rows, error)) return false;
  const ChartErrors before = ErrorsOf(rows);
  result->before = SummaryOf(before);
  result->best.clear();
  if (count < 1) return true;
  // A candidate's chart differs from this one only where a train using the
  // new gear beats the best train without it: each thread asks for those
  // alone, against the best it had.
  const std::vector<std::size_t> order = SearchOrder(before);
  SearchOptions first_only;
  first_only.top = 1;
  LatheProfile more = profile;
  more.gears.push_back(0);
  TrainSearch with;
  std::vector<TrainRow> found;
  for (int teeth = std::max(from, kMinTeeth); teeth <= std::min(to, kMaxTeeth); ++teeth) {
    more.gears.back() = teeth;
    if (!with.Init(more, error)) return false;
    ChartErrors after = before;
    PartialChart partial(result->before);
    const bool ranked = static_cast<int>(result->best.size()) == count;
    bool beaten = false;
    for (const std::size_t k : order) {
      const std::optional<TrainRow>& had = rows[k].best;
      const std::span<const TrainRow> known = had ? std::span(&*had, 1) : std::span<TrainRow>();
      if (!with.FindUsing(rows[k].target.lead, teeth, known, first_only, &found, error))
        return false;
      after[k] = found.empty() ? std::nullopt : std::optional(found.front().error.approx);
      partial.Add(before[k], after[k]);
      if (ranked && partial.CannotBeat(result->best.back().after)) {
        beaten = true;
        break;
      }
    }
    if (beaten) continue;
    const GearAdvice advice{teeth, SummaryOf(after)};
    result->best.insert(
        std::upper_bound(result->best.begin(), result->best.end(), advice, AdviceBefore), advice);
    if (static_cast<int>(result->best.size()) > count) result->best.pop_back();
  }
  return true;
}

}  // namespace cog
