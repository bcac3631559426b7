#include "report/page/queries.h"

#include <nlohmann/json.hpp>

#include "divider/divide_question.h"
#include "divider/indexing.h"
#include "gears/fraction_text.h"
#include "lathe/banjo_layout.h"
#include "lathe/defaults.h"
#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/question_inputs.h"
#include "lathe/thread_answer.h"
#include "lathe/thread_chart.h"
#include "lathe/thread_series.h"
#include "lathe/train_report.h"
#include "lathe/train_search.h"
#include "report/chart_sheet.h"
#include "report/figure_text.h"
#include "report/report_cells.h"
#include "report/report_csv.h"
#include "report/report_text.h"
#include "report/results_tree.h"

namespace cog {
namespace {

using json = nlohmann::json;

Status LoadProfile(const std::string& text, LatheProfile* profile) {
  std::string key, why;
  if (!ReadProfile(text, profile, &why, &key))
    return Status::Refused(key.empty() ? "profile" : key, why);
  return CheckComplete(*profile);
}

// A comma-separated list of series names and targets.
Status ReadSeries(const std::string& names, ChartList* series) {
  std::vector<std::string> list;
  for (std::size_t start = 0; start <= names.size();) {
    const std::size_t comma = std::min(names.find(',', start), names.size());
    std::string item = names.substr(start, comma - start);
    item.erase(0, item.find_first_not_of(' '));
    item.erase(item.find_last_not_of(' ') + 1);
    list.push_back(std::move(item));
    start = comma + 1;
  }
  std::string why;
  if (ReadSeriesList(list, series, &why)) return Status::Ok();
  return Status::Refused("series", why);
}

Status ReadQueryTarget(const std::string& text, int starts, Target* target) {
  if (Status bad = CheckInput(kStartsInput, starts); !bad.ok()) return bad;
  std::string why;
  if (ReadTarget(text, starts, target, &why)) return Status::Ok();
  return Status::Refused("target", why);
}

std::string StatusJson(const Status& bad) { return ErrorJson(bad.input(), bad.why()); }

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

// What the drawing shows, and that the train cuts the other hand when it does.
std::string BanjoCaption(const LatheProfile& profile, const TrainReport& report,
                         const Target* target) {
  const TrainRow& first = report.positions.front();
  const std::string hand = target ? OtherHandNote(profile, *target, first) : "";
  const std::string also = hand.empty() ? "" : " Note: " + hand + ".";
  if (first.kind == TrainKind::kSix)
    return "Six-gear trains are not drawn: their fit is not checked." + also;
  if (!profile.geometry)
    return "No banjo to draw: the profile gives no module (or dp) and centre distance." + also;
  return std::string(KindName(first.kind)) + " " + GearList(first.gears) +
         " on the banjo, to scale (fit " + FitLine(profile) + ")" +
         (first.fits == true ? ": fits" : ": does not fit") + (hand.empty() ? "" : "; but " + hand);
}

}  // namespace

std::string ThreadQuery(const std::string& profile_json, const std::string& target_text, int starts,
                        int top, bool keep_unfit) {
  LatheProfile profile;
  Target target;
  Status bad = LoadProfile(profile_json, &profile);
  if (bad.ok()) bad = ReadQueryTarget(target_text, starts, &target);
  if (bad.ok()) bad = CheckInput(kTopInput, top);
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  SearchOptions options;
  options.top = top;
  options.keep_unfit = keep_unfit;
  ThreadAnswer found;
  if (!AnswerThread(profile, target, options, &found, &error)) return ErrorJson("target", error);
  const std::vector<TrainRow>& rows = found.rows;
  json answer = ThreadResultTree(profile, target, rows, kDriftLengthMm);
  answer["view"] = Cells(ThreadCells(profile, target, rows, kDriftLengthMm, keep_unfit));
  answer["view"]["caption"] = "Best trains for " + TargetLine(target) + "; fit " + FitLine(profile);
  // Without rows, why; "more": asking for every train would show some.
  bool more = false;
  answer["view"]["none"] = rows.empty() ? NoTrainText(profile, target, found, &more) : "";
  answer["view"]["more"] = more;
  return Dump(answer);
}

std::string TrainQuery(const std::string& profile_json, const std::string& gear_list,
                       const std::string& target_text, int starts) {
  LatheProfile profile;
  std::vector<int> gears;
  std::optional<Target> target;
  Status bad = LoadProfile(profile_json, &profile);
  if (bad.ok() && !target_text.empty())
    bad = ReadQueryTarget(target_text, starts, &target.emplace());
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  if (!ReadGearList(gear_list, &gears, &error)) return ErrorJson("train", error);
  TrainReport report;
  const Target* t = target ? &*target : nullptr;
  if (!ReportTrain(profile, gears, t, &report, &error)) return ErrorJson("train", error);
  json answer =
      TrainReportTree(profile, report.positions, report.rules, report.in_set, t, kDriftLengthMm);
  answer["view"] = Cells(TrainCells(profile, report.positions, t, kDriftLengthMm));
  answer["view"]["rules"] = RuleCells(report.rules).rows;
  answer["view"]["caption"] = BanjoCaption(profile, report, t);
  answer["view"]["drawing"] = Drawing(profile, report);
  return Dump(answer);
}

std::string ChartQuery(const std::string& profile_json, const std::string& series_names) {
  LatheProfile profile;
  ChartList series;
  Status bad = LoadProfile(profile_json, &profile);
  if (bad.ok()) bad = ReadSeries(series_names, &series);
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  TrainSearch search;
  std::vector<ChartRow> rows;
  if (!search.Init(profile, &error)) return ErrorJson("profile", error);
  if (!CheckChartSteps(search, series.series, &error)) return ErrorJson("series", error);
  if (!BuildChart(search, series.series, &rows, &error)) return ErrorJson("profile", error);
  json sections = json::array();
  for (const ChartSection& s : ChartSections(profile, rows)) {
    json section = Cells(s.table);
    section["series"] = s.series->name;
    section["title"] = s.series->title;
    sections.push_back(std::move(section));
  }
  json answer = ChartTree(profile, rows, kDriftLengthMm);
  answer["view"] = {{"header", ChartHeader(profile, rows)},
                    {"sections", std::move(sections)},
                    {"csv", ChartCsv(profile, rows)},
                    {"html", ChartHtml(profile, rows)}};
  return Dump(answer);
}

std::string SuggestQuery(const std::string& profile_json, const std::string& series_names, int from,
                         int to) {
  LatheProfile profile;
  ChartList series;
  Status bad = LoadProfile(profile_json, &profile);
  if (bad.ok()) bad = ReadSeries(series_names, &series);
  if (bad.ok()) bad = CheckCandidates(from, to);
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  AdviceResult advice;
  std::string input;
  if (!SuggestGear(profile, series.series, from, to, kAdviceCount, &advice, &error, &input))
    return ErrorJson(input, error);
  json answer = AdviceTree(advice);
  answer["view"] = Cells(AdviceCells(advice));
  answer["view"]["caption"] =
      "Which one gear to add (" + std::to_string(from) + " to " + std::to_string(to) +
      " teeth) to the chart of " + std::to_string(advice.before.threads) +
      (advice.before.threads == 1 ? " lead" : " leads") + ". " + kAdviceRanking;
  const std::string better = advice.best.empty()
                                 ? "No gear from " + std::to_string(from) + " to " +
                                       std::to_string(to) + " teeth makes this chart better."
                                 : "";
  const std::string without = WithoutTrainNote(profile, advice);
  answer["view"]["none"] = better + (better.empty() || without.empty() ? "" : " ") + without;
  return Dump(answer);
}

std::string ProfileQuery(const std::string& profile_json) {
  LatheProfile profile;
  const Status bad = LoadProfile(profile_json, &profile);
  if (bad.ok()) return Dump(json{{"ok", true}});
  return Dump(json{{"error", bad.why()}, {"input", bad.input()}, {"missing", bad.missing()}});
}

std::string DefaultsQuery() {
  return Dump(json{{"drift_length_mm", ToDouble(kDriftLengthMm)},
                   {"top", kDefaultTop},
                   {"advice_from", kAdviceFrom},
                   {"advice_to", kAdviceTo},
                   {"advice_count", kAdviceCount},
                   {"divide_top", kDefaultDivideTop},
                   {"helix_top", kDefaultHelixTop},
                   {"helix_max_error_percent", ToDouble(kDefaultHelixErrorPercent)},
                   {"divide_chart_from", kDefaultChartFrom},
                   {"divide_chart_to", kDefaultChartTo}});
}

std::string GearListQuery(const std::string& text) {
  std::vector<int> gears;
  std::string error;
  if (!ReadGearList(text, &gears, &error)) return ErrorJson("gears", error);
  return Dump(json{{"gears", gears}});
}

std::string SeriesList() {
  json list = json::array();
  for (const ThreadSeries& s : BuiltInSeries()) {
    json sizes = json::array();
    for (const ThreadEntry& t : s.threads) sizes.push_back(t.size);
    list.push_back(
        {{"name", s.name}, {"title", s.title}, {"threads", s.threads.size()}, {"sizes", sizes}});
  }
  return list.dump() + "\n";
}

}  // namespace cog
