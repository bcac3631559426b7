#include "workshop/queries.h"

#include <nlohmann/json.hpp>

#include "workshop/fit_rules.h"
#include "workshop/profile.h"
#include "workshop/results_json.h"
#include "workshop/thread_chart.h"
#include "workshop/thread_series.h"
#include "workshop/train_report.h"
#include "workshop/train_search.h"

namespace cog {
namespace {

constexpr int kMostRows = 100000;

std::string ErrorJson(const std::string& message) {
  return nlohmann::json{{"error", message}}.dump(-1, ' ', false,
                                                 nlohmann::json::error_handler_t::replace) +
         "\n";
}

bool LoadProfile(const std::string& text, LatheProfile* profile, std::string* error) {
  return ReadProfile(text, profile, error) && CheckComplete(*profile, error);
}

bool ReadSeries(const std::string& names, std::vector<const ThreadSeries*>* series,
                std::string* error) {
  std::size_t start = 0;
  while (start <= names.size()) {
    const std::size_t comma = std::min(names.find(',', start), names.size());
    const std::string name = names.substr(start, comma - start);
    const ThreadSeries* s = FindSeries(name);
    if (!s) {
      *error = "unknown series \"" + name + "\"";
      return false;
    }
    series->push_back(s);
    start = comma + 1;
  }
  return true;
}

}  // namespace

std::string ThreadQuery(const std::string& profile_json, const std::string& target_text, int starts,
                        int top, bool keep_unfit) {
  LatheProfile profile;
  Target target;
  std::string error;
  if (!LoadProfile(profile_json, &profile, &error) ||
      !ReadTarget(target_text, starts, &target, &error))
    return ErrorJson(error);
  if (top < 1 || top > kMostRows) return ErrorJson("the number of rows must be from 1 to 100000");
  SearchOptions options;
  options.top = top;
  options.keep_unfit = keep_unfit;
  TrainSearch search;
  std::vector<TrainRow> rows;
  if (!search.Init(profile, &error) || !search.Find(target.lead, options, &rows, &error))
    return ErrorJson(error);
  return ThreadResultJson(profile, target, rows, Whole(25));
}

std::string TrainQuery(const std::string& profile_json, const std::string& gear_list,
                       const std::string& target_text, int starts) {
  LatheProfile profile;
  std::string error;
  if (!LoadProfile(profile_json, &profile, &error)) return ErrorJson(error);
  // The list is read as --gears is, into a copy of the profile.
  ProfileOverrides as_set;
  as_set.gears = gear_list;
  LatheProfile train = profile;
  if (!ApplyOverrides(as_set, &train, &error)) return ErrorJson(error);
  std::optional<Target> target;
  if (!target_text.empty() && !ReadTarget(target_text, starts, &target.emplace(), &error))
    return ErrorJson(error);
  TrainReport report;
  const Target* t = target ? &*target : nullptr;
  if (!ReportTrain(profile, train.gears, t, &report, &error)) return ErrorJson(error);
  return TrainReportJson(profile, report.positions, report.rules, report.in_set, t, Whole(25));
}

std::string ChartQuery(const std::string& profile_json, const std::string& series_names) {
  LatheProfile profile;
  std::vector<const ThreadSeries*> series;
  std::string error;
  if (!LoadProfile(profile_json, &profile, &error) || !ReadSeries(series_names, &series, &error))
    return ErrorJson(error);
  TrainSearch search;
  std::vector<ChartRow> rows;
  if (!search.Init(profile, &error) || !BuildChart(search, series, &rows, &error))
    return ErrorJson(error);
  return ChartJson(profile, rows, Whole(25));
}

std::string SuggestQuery(const std::string& profile_json, const std::string& series_names, int from,
                         int to) {
  LatheProfile profile;
  std::vector<const ThreadSeries*> series;
  std::string error;
  if (!LoadProfile(profile_json, &profile, &error) || !ReadSeries(series_names, &series, &error))
    return ErrorJson(error);
  if (from < kMinTeeth || to > kMaxTeeth || from > to)
    return ErrorJson("candidate gears must lie from 8 to 300, the first not above the last");
  AdviceResult advice;
  if (!SuggestGear(profile, series, from, to, 5, &advice, &error)) return ErrorJson(error);
  return AdviceJson(advice);
}

std::string SeriesList() {
  nlohmann::json list = nlohmann::json::array();
  for (const ThreadSeries& s : BuiltInSeries())
    list.push_back({{"name", s.name}, {"title", s.title}, {"threads", s.threads.size()}});
  return list.dump() + "\n";
}

}  // namespace cog
