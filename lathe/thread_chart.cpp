#include "lathe/thread_chart.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string_view>
#include <tuple>

#include "lathe/row_facts.h"
#include "lathe/thread_answer.h"

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
    if (e == 0) ++s.exact;
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

// Whether a line gains from a gear: a train where it had none, or exact
// where it was not.
bool Gains(const std::optional<Extended>& before, const std::optional<Extended>& after) {
  if (!after) return false;
  return !before || (Fabs(*before) != 0 && Fabs(*after) == 0);
}

// What a gear gains, most first: the lines it gains, then fewer lines left
// without a train, then the worst and the mean |error|. Rescuing one line
// must not outrank making twenty exact, and the worst alone would let a
// size the lathe can never cut exactly decide.
bool AdviceBefore(const GearAdvice& a, const GearAdvice& b) {
  return std::make_tuple(-a.after.gained, a.after.without_train, a.after.worst, a.after.mean,
                         a.teeth) < std::make_tuple(-b.after.gained, b.after.without_train,
                                                    b.after.worst, b.after.mean, b.teeth);
}

// The threads a new gear may change, most telling first: those without a
// train (each may gain, the first key, and they alone decide the second),
// then by falling |error| (each may turn exact and gain; the worst decides
// the third key, the large ones most of the mean). A thread cut exactly stays so: a gear can change
// its train but not its |error| of 0.
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
  PartialChart(const ChartSummary& before, int unsearched)
      : threads_(before.threads),
        without_(before.without_train),
        unsearched_without_(before.without_train),
        unsearched_(unsearched) {}

  // A thread searched: its |error| before (none: no train) and after.
  void Add(const std::optional<Extended>& before, const std::optional<Extended>& after) {
    --unsearched_;
    gained_ += Gains(before, after);
    if (!before) {
      --unsearched_without_;
      if (!after) return;
      --without_;
    }
    const Extended e = Fabs(*after);
    if (e > worst_) worst_ = e;
    sum_ += e;
  }

  // Whether the candidate's summary must come after `kth` however the
  // threads not searched yet turn out. Only a strictly worse summary is
  // proof: on a tie the teeth decide. The best that can still happen is
  // that every thread not searched yet gains: as many gained and as few
  // without a train as possible at once. A summary that ties `kth` on both
  // needs exactly that, and its worst and mean are then at least those of
  // the threads searched (a thread left either turns exact or gains a train
  // of some error, over the same count of threads). The mean, summed in another
  // order than the summary's, is judged with a margin far wider than the
  // rounding of a few thousand additions.
  bool CannotBeat(const ChartSummary& kth) const {
    const int most_gained = gained_ + unsearched_;
    if (most_gained != kth.gained) return most_gained < kth.gained;
    const int least_without = without_ - unsearched_without_;
    if (least_without != kth.without_train) return least_without > kth.without_train;
    if (worst_ != kth.worst) return worst_ > kth.worst;
    const int with_train = threads_ - least_without;
    if (with_train == 0) return false;
    const Extended least_mean = sum_ / Extended(with_train);
    return least_mean * (Extended(1) - Extended(1e-12)) > kth.mean;
  }

 private:
  int threads_;
  int without_;             // with the threads not searched yet counted as without
  int unsearched_without_;  // threads without a train before, not searched yet
  int unsearched_;          // threads not searched yet
  int gained_ = 0;          // threads searched that gain
  Extended worst_ = 0;
  Extended sum_ = 0;
};

bool SameLead(const Target& a, const Target& b) {
  if (a.hand != b.hand || a.lead.exact != b.lead.exact) return false;
  return a.lead.exact ? a.lead.mm == b.lead.mm : a.lead.approx_mm == b.lead.approx_mm;
}

}  // namespace

std::int64_t ChartSteps(const TrainSearch& search, std::span<const ThreadSeries* const> series) {
  // Sizes of one series that share a lead text share a line (a machinist's
  // own list may still hold two texts of one lead: this is at most the count).
  std::int64_t lines = 0;
  for (const ThreadSeries* s : series) {
    std::set<std::string_view> leads;
    for (const ThreadEntry& thread : s->threads) leads.insert(thread.target);
    lines += static_cast<std::int64_t>(leads.size());
  }
  return lines * (kLineSteps + search.WalkSize());
}

namespace {

// "343 million steps": what a refusal says of the work it spares.
std::string StepsText(std::int64_t steps) {
  return std::to_string((steps + 500'000) / 1'000'000) + " million steps";
}

bool WithinBudget(std::int64_t steps, const std::string& what, const std::string& less,
                  std::string* error) {
  if (steps <= kMaxChartSteps) return true;
  *error = what + " would take about " + StepsText(steps) + " of the train search, more than the " +
           StepsText(kMaxChartSteps) + " one request may take: " + less;
  return false;
}

}  // namespace

bool CheckChartSteps(const TrainSearch& search, std::span<const ThreadSeries* const> series,
                     std::string* error) {
  return WithinBudget(ChartSteps(search, series), "this chart",
                      "chart fewer series, or allow fewer gearbox positions or kinds of train",
                      error);
}

bool BuildChart(const TrainSearch& search, std::span<const ThreadSeries* const> series,
                std::vector<ChartRow>* rows, std::string* error) {
  rows->clear();
  if (!CheckChartSteps(search, series, error)) return false;
  SearchOptions first_only;
  first_only.top = 1;
  std::vector<TrainRow> found;
  for (const ThreadSeries* s : series) {
    const std::size_t first_line = rows->size();
    for (const ThreadEntry& thread : s->threads) {
      ChartRow row;
      // The texts were read once already (tables, or the list's reader); a
      // failure here is a fault in the data.
      if (!ReadTarget(thread.target, 1, &row.target, error)) return false;
      // One line per lead: "0.5mm" and "M3" of a machinist's list share one.
      const auto same =
          std::find_if(rows->begin() + static_cast<long>(first_line), rows->end(),
                       [&](const ChartRow& r) { return SameLead(r.target, row.target); });
      if (same != rows->end()) {
        same->sizes.push_back(&thread);
        continue;
      }
      row.series = s;
      row.thread = &thread;
      row.sizes = {&thread};
      first_only.hand = row.target.hand;
      if (!search.Find(row.target.lead, first_only, &found, error)) return false;
      if (!found.empty()) {
        const bool within =
            WithinTolerance(found.front().error, TolerancePercent(search.profile(), row.target));
        (within ? row.best : row.nearest) = std::move(found.front());
      }
      TrainRow ignored;
      if (!row.best && !WhyNoTrain(search, row.target, &row.none, &ignored, error)) return false;
      rows->push_back(std::move(row));
    }
  }
  return true;
}

ChartSummary Summarize(const std::vector<ChartRow>& rows) { return SummaryOf(ErrorsOf(rows)); }

bool SuggestGear(const LatheProfile& profile, std::span<const ThreadSeries* const> series, int from,
                 int to, int count, AdviceResult* result, std::string* error, std::string* input) {
  std::string ignored;
  if (!input) input = &ignored;
  *input = "gears";
  if (profile.gears.size() + 2 * profile.keyed.size() >= static_cast<std::size_t>(kMaxGears)) {
    *error =
        "the set already has " + std::to_string(kMaxGears) + " gears, the most a profile may list";
    return false;
  }
  const int positions = std::max<int>(1, static_cast<int>(profile.gearbox.size()));
  const int candidates = std::max(0, std::min(to, kMaxTeeth) - std::max(from, kMinTeeth) + 1);
  *input = "from";
  if (candidates * positions > kMaxAdviceTrials) {
    *error = std::to_string(candidates) + " candidate gears at " + std::to_string(positions) +
             " gearbox positions are " + std::to_string(candidates * positions) +
             " trials; at most " + std::to_string(kMaxAdviceTrials) +
             " are tried, so that the advice takes seconds: give fewer candidates";
    return false;
  }
  *input = "profile";
  // The chart `chart` gives: each line searched for its own hand (a list of
  // one's own may hold left-hand threads, which a lathe without a tumbler
  // cuts only with six-gear trains).
  TrainSearch search;
  std::vector<ChartRow> rows;
  if (!search.Init(profile, error)) return false;
  *input = "from";
  const std::int64_t chart = ChartSteps(search, series);
  if (!WithinBudget(chart + chart / kAdviceShare * candidates,
                    "this advice (" + std::to_string(candidates) + " candidates)",
                    "give fewer candidates or series", error))
    return false;
  *input = "profile";
  if (!BuildChart(search, series, &rows, error)) return false;
  const ChartErrors before = ErrorsOf(rows);
  result->before = SummaryOf(before);
  result->without.clear();
  std::copy_if(rows.begin(), rows.end(), std::back_inserter(result->without),
               [](const ChartRow& row) { return !row.best; });
  result->from = std::max(from, kMinTeeth);
  result->to = std::min(to, kMaxTeeth);
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
    PartialChart partial(result->before, static_cast<int>(order.size()));
    const bool ranked = static_cast<int>(result->best.size()) == count;
    bool beaten = false;
    for (const std::size_t k : order) {
      const std::optional<TrainRow>& had = rows[k].best;
      const std::span<const TrainRow> known = had ? std::span(&*had, 1) : std::span<TrainRow>();
      first_only.hand = rows[k].target.hand;
      if (!with.FindUsing(rows[k].target.lead, teeth, known, first_only, &found, error))
        return false;
      // The best it had was within the tolerance; a new best beyond it is none.
      const bool within =
          !found.empty() &&
          WithinTolerance(found.front().error, TolerancePercent(profile, rows[k].target));
      after[k] = within ? std::optional(found.front().error.approx) : std::nullopt;
      partial.Add(before[k], after[k]);
      if (ranked && partial.CannotBeat(result->best.back().after)) {
        beaten = true;
        break;
      }
    }
    if (beaten) continue;
    GearAdvice advice{teeth, SummaryOf(after)};
    for (std::size_t k = 0; k < after.size(); ++k)
      advice.after.gained += Gains(before[k], after[k]);
    result->best.insert(
        std::upper_bound(result->best.begin(), result->best.end(), advice, AdviceBefore), advice);
    if (static_cast<int>(result->best.size()) > count) result->best.pop_back();
  }
  // A candidate that leaves the chart as it was is no advice.
  std::erase_if(result->best, [&](const GearAdvice& a) {
    return !AdviceBefore({0, a.after}, {0, result->before});
  });
  return true;
}

}  // namespace cog
