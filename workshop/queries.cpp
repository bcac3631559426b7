#include "workshop/queries.h"

#include <nlohmann/json.hpp>

#include "workshop/banjo_layout.h"
#include "workshop/chart_sheet.h"
#include "workshop/figure_text.h"
#include "workshop/fit_rules.h"
#include "workshop/fraction_text.h"
#include "workshop/profile.h"
#include "workshop/report_cells.h"
#include "workshop/report_csv.h"
#include "workshop/report_text.h"
#include "workshop/results_tree.h"
#include "workshop/thread_chart.h"
#include "workshop/thread_series.h"
#include "workshop/train_report.h"
#include "workshop/train_search.h"

namespace cog {
namespace {

using json = nlohmann::json;

constexpr int kMostRows = 100000;

std::string ErrorJson(const std::string& message) { return Dump(json{{"error", message}}); }

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

json Cells(const CellTable& table) { return {{"head", table.head}, {"rows", table.rows}}; }

// What the page draws for one train: the parts laid out to scale, and the
// parts each failing rule is about.
json Drawing(const LatheProfile& profile, const TrainReport& report) {
  const TrainRow& first = report.positions.front();
  if (!profile.geometry || first.kind == TrainKind::kSix) return nullptr;
  const BanjoLayout layout = LayOutTrain(*profile.geometry, first.gears);
  json shafts = json::array(), wheels = json::array(), failing = json::array();
  for (const DrawnShaft& s : layout.shafts)
    shafts.push_back({{"name", s.name}, {"x", s.x}, {"y", s.y}, {"radius", s.radius}});
  for (const DrawnWheel& w : layout.wheels)
    wheels.push_back({{"name", w.name},
                      {"teeth", w.teeth},
                      {"shaft", w.shaft},
                      {"pitch_radius", w.pitch_radius},
                      {"tip_radius", w.tip_radius}});
  for (const FitRule& rule : report.rules)
    if (rule.margin_mm.num < 0) failing.push_back({{"id", rule.id}, {"parts", RuleParts(rule.id)}});
  return {{"shafts", shafts}, {"wheels", wheels}, {"failing", failing}};
}

std::string BanjoCaption(const LatheProfile& profile, const TrainReport& report) {
  const TrainRow& first = report.positions.front();
  if (first.kind == TrainKind::kSix) return "Six-gear trains are not drawn: their fit is not checked.";
  if (!profile.geometry)
    return "No banjo to draw: the profile gives no module (or dp) and centre distance.";
  return std::string(KindName(first.kind)) + " " + GearList(first.gears) +
         " on the banjo, to scale (fit " + FitLine(profile) + ")" +
         (first.fits == true ? ": fits" : ": does not fit");
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
  json answer = ThreadResultTree(profile, target, rows, Whole(25));
  answer["view"] = Cells(ThreadCells(profile, target, rows, Whole(25)));
  answer["view"]["caption"] = "Best trains for " + TargetLine(target) + "; fit " + FitLine(profile);
  return Dump(answer);
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
  json answer = TrainReportTree(profile, report.positions, report.rules, report.in_set, t, Whole(25));
  answer["view"] = Cells(TrainCells(profile, report.positions, t, Whole(25)));
  answer["view"]["rules"] = RuleCells(report.rules).rows;
  answer["view"]["caption"] = BanjoCaption(profile, report);
  answer["view"]["drawing"] = Drawing(profile, report);
  return Dump(answer);
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
  json sections = json::array();
  for (const ChartSection& s : ChartSections(profile, rows)) {
    json section = Cells(s.table);
    section["series"] = s.series->name;
    section["title"] = s.series->title;
    sections.push_back(std::move(section));
  }
  json answer = ChartTree(profile, rows, Whole(25));
  answer["view"] = {{"sections", std::move(sections)},
                    {"csv", ChartCsv(profile, rows)},
                    {"html", ChartHtml(profile, rows)}};
  return Dump(answer);
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
  json answer = AdviceTree(advice);
  answer["view"] = Cells(AdviceCells(advice));
  answer["view"]["caption"] = "Which one gear to add (" + std::to_string(from) + " to " +
                              std::to_string(to) + " teeth) to the chart of " +
                              std::to_string(advice.before.threads) + " threads";
  return Dump(answer);
}

std::string SeriesList() {
  json list = json::array();
  for (const ThreadSeries& s : BuiltInSeries())
    list.push_back({{"name", s.name}, {"title", s.title}, {"threads", s.threads.size()}});
  return list.dump() + "\n";
}

}  // namespace cog
