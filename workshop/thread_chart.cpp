#include "workshop/thread_chart.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace cog {

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

ChartSummary Summarize(const std::vector<ChartRow>& rows) {
  ChartSummary s;
  Extended sum = 0;
  for (const ChartRow& row : rows) {
    ++s.threads;
    if (!row.best) {
      ++s.without_train;
      continue;
    }
    const Extended e = Fabs(row.best->error.approx);
    if (e > s.worst) s.worst = e;
    sum += e;
  }
  const int with_train = s.threads - s.without_train;
  s.mean = with_train ? sum / Extended(with_train) : Extended(0);
  return s;
}

bool SuggestGear(const LatheProfile& profile, std::span<const ThreadSeries* const> series, int from,
                 int to, int count, AdviceResult* result, std::string* error) {
  if (profile.gears.size() >= static_cast<std::size_t>(kMaxGears)) {
    *error = "the set already has 60 gears, the most a profile may list";
    return false;
  }
  TrainSearch search;
  std::vector<ChartRow> rows;
  if (!search.Init(profile, error) || !BuildChart(search, series, &rows, error)) return false;
  result->before = Summarize(rows);
  result->best.clear();
  LatheProfile more = profile;
  more.gears.push_back(0);
  for (int teeth = std::max(from, kMinTeeth); teeth <= std::min(to, kMaxTeeth); ++teeth) {
    more.gears.back() = teeth;
    if (!search.Init(more, error) || !BuildChart(search, series, &rows, error)) return false;
    result->best.push_back({teeth, Summarize(rows)});
  }
  auto key = [](const GearAdvice& a) {
    return std::make_tuple(a.after.without_train, a.after.worst, a.after.mean, a.teeth);
  };
  std::sort(result->best.begin(), result->best.end(),
            [&](const GearAdvice& a, const GearAdvice& b) { return key(a) < key(b); });
  if (static_cast<int>(result->best.size()) > count) result->best.resize(count);
  return true;
}

}  // namespace cog
