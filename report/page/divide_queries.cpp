#include "report/page/divide_queries.h"

#include <nlohmann/json.hpp>

#include "divider/divide_chart.h"
#include "divider/divide_question.h"
#include "divider/divide_work.h"
#include "divider/head.h"
#include "divider/indexing.h"
#include "report/divide_cells.h"
#include "report/divide_csv.h"
#include "report/divide_sheet.h"
#include "report/divide_text.h"
#include "report/divide_tree.h"
#include "report/results_tree.h"

namespace cog {
namespace {

using ordered = nlohmann::ordered_json;

// The head file's refusal, said of "head" when no one key is at fault.
Status LoadHead(const std::string& text, DividingHead* head) {
  const Status read = ReadHead(text, head);
  if (read.ok() || !read.input().empty()) return read;
  return Status::Refused("head", read.why());
}

std::string StatusJson(const Status& bad) { return ErrorJson(bad.input(), bad.why()); }

// The tool's JSON answer with the page's texts added.
std::string WithView(ordered answer, ordered view) {
  answer["view"] = std::move(view);
  return Dump(answer);
}

void AddCells(const CellTable& cells, ordered* view) {
  (*view)["head"] = cells.head;
  (*view)["rows"] = cells.rows;
}

}  // namespace

std::string HeadQuery(const std::string& head_json) {
  DividingHead head;
  if (const Status bad = LoadHead(head_json, &head); !bad.ok())
    return Dump(
        nlohmann::json{{"error", bad.why()}, {"input", bad.input()}, {"missing", bad.missing()}});
  return Dump(nlohmann::json{{"ok", true}, {"title", HeadTitle(head)}});
}

std::string DivideQuery(const std::string& head_json, const std::string& what, int top) {
  DividingHead head;
  DivideQuestion question;
  Status bad = LoadHead(head_json, &head);
  if (bad.ok()) bad = ReadDivideQuestion(what, &question);
  if (bad.ok()) bad = CheckDivideTop(top);
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  const Indexer indexer(head);
  if (question.divisions
          ? !CheckDivideSteps(indexer, question.divisions, question.divisions, &error)
          : !CheckAngleSteps(indexer, question.degrees, &error))
    return ErrorJson("divisions", error);
  DivideAnswer answer;
  DivideOptions options;  // as the CLI's divide asks: the nearest ways when none is exact
  options.top = options.nearest = top;
  if (!(question.divisions ? indexer.WaysForDivisions(question.divisions, options, &answer, &error)
                           : indexer.WaysForAngle(question.degrees, options, &answer, &error)))
    return ErrorJson("head", error);
  ordered view = {{"caption", DivideCaption(head, answer)}};
  AddCells(WayCells(answer), &view);
  ordered ways = ordered::array();
  for (const Way& way : answer.ways) ways.push_back(WayLine(way));
  view["ways"] = std::move(ways);
  // Why none is exact and the nearest ways, a line each, as the CLI ends its text.
  std::string none = NoWayNearestText(head, answer);
  if (!none.empty()) none.pop_back();
  view["none"] = none;
  view["csv"] = DivideCsv(answer);
  return WithView(DivideTree(head, answer), std::move(view));
}

std::string DivideChartQuery(const std::string& head_json, int from, int to) {
  DividingHead head;
  Status bad = LoadHead(head_json, &head);
  if (bad.ok()) bad = CheckChartRange(from, to);
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  std::vector<DivideAnswer> lines;
  const Indexer indexer(head);
  if (!CheckDivideSteps(indexer, from, to, &error)) return ErrorJson("to", error);
  if (!BuildDivideChart(indexer, from, to, &lines, &error)) return ErrorJson("head", error);
  ordered view = {{"title", DivideChartTitle(head)},
                  {"lines", DivideChartHeader(head)},
                  {"legend", DivideChartLegend()}};
  AddCells(DivideChartCells(head, lines), &view);
  view["csv"] = DivideChartCsv(lines);
  view["html"] = DivideChartHtml(head, lines);
  return WithView(DivideChartTree(head, lines), std::move(view));
}

std::string HelixQuery(const std::string& head_json, const std::string& lead_text, int top,
                       bool all, const std::string& max_error) {
  DividingHead head;
  Fraction tolerance = kDefaultHelixErrorPercent;
  HelixQuestion question;  // a lead, as the CLI's helix LEAD asks it
  Status bad = LoadHead(head_json, &head);
  if (bad.ok()) bad = ReadHelixLead(lead_text, &question.lead_mm.emplace(), &question.inches);
  if (bad.ok() && !max_error.empty()) bad = ReadHelixTolerance(max_error, &tolerance);
  if (bad.ok()) bad = CheckDivideTop(top);
  if (!bad.ok()) return StatusJson(bad);
  std::string error;
  HelixAnswer answer;
  std::string input;
  if (!HelixFor(head, question, tolerance, top, all, &answer, &error, &input))
    return ErrorJson(input, error);
  ordered view = {{"caption", HelixCaption(head, answer)}};
  AddCells(HelixCells(answer), &view);
  view["none"] = NoHelixText(answer, all);
  view["csv"] = HelixCsv(answer);
  return WithView(HelixTree(answer), std::move(view));
}

}  // namespace cog
