#include "report/page/divide_queries.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "divider/divide_chart.h"
#include "divider/divide_question.h"
#include "divider/head.h"
#include "divider/indexing.h"
#include "gears/json_tree.h"
#include "report/divide_cells.h"
#include "report/divide_csv.h"
#include "report/divide_sheet.h"
#include "report/divide_tree.h"
#include "report/results_tree.h"

namespace cog {
namespace {

using ordered = nlohmann::ordered_json;

struct HeadFault {
  std::string input, text;
  bool missing = false;
};

bool LoadHead(const std::string& text, DividingHead* head, HeadFault* fault) {
  std::string key;
  if (ReadHead(text, head, &fault->text, &key)) return true;
  fault->input = key.empty() ? "head" : key;
  // A head whose text is sound but has no ratio yet is being set up.
  JsonNode root;
  std::string why;
  fault->missing = key == "ratio" && ParseJsonTree(text, &root, &why) &&
                   root.kind == JsonNode::Kind::kObject &&
                   std::none_of(root.members.begin(), root.members.end(),
                                [](const auto& m) { return m.first == "ratio"; });
  return false;
}

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
  HeadFault fault;
  if (!LoadHead(head_json, &head, &fault))
    return Dump(
        nlohmann::json{{"error", fault.text}, {"input", fault.input}, {"missing", fault.missing}});
  return Dump(nlohmann::json{{"ok", true}, {"title", HeadTitle(head)}});
}

std::string DivideQuery(const std::string& head_json, const std::string& what, int top) {
  DividingHead head;
  HeadFault fault;
  if (!LoadHead(head_json, &head, &fault)) return ErrorJson(fault.input, fault.text);
  DivideQuestion question;
  std::string error;
  if (!ReadDivideQuestion(what, &question, &error)) return ErrorJson("divisions", error);
  if (!CheckDivideTop(top, &error)) return ErrorJson("top", error);
  const Indexer indexer(head);
  DivideAnswer answer;
  if (!(question.divisions ? indexer.WaysForDivisions(question.divisions, top, &answer, &error)
                           : indexer.WaysForAngle(question.degrees, top, &answer, &error)))
    return ErrorJson("head", error);
  ordered view = {{"caption", DivideCaption(head, answer)}};
  AddCells(WayCells(answer), &view);
  ordered ways = ordered::array();
  for (const Way& way : answer.ways) ways.push_back(WayLine(way));
  view["ways"] = std::move(ways);
  view["none"] = NoWayText(head, answer);
  view["csv"] = DivideCsv(answer);
  return WithView(DivideTree(head, answer), std::move(view));
}

std::string DivideChartQuery(const std::string& head_json, int from, int to) {
  DividingHead head;
  HeadFault fault;
  if (!LoadHead(head_json, &head, &fault)) return ErrorJson(fault.input, fault.text);
  std::string error, which;
  if (!CheckChartRange(from, to, &error, &which)) return ErrorJson(which, error);
  std::vector<DivideAnswer> lines;
  if (!BuildDivideChart(Indexer(head), from, to, &lines, &error)) return ErrorJson("head", error);
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
  HeadFault fault;
  if (!LoadHead(head_json, &head, &fault)) return ErrorJson(fault.input, fault.text);
  Fraction lead, tolerance = kDefaultHelixErrorPercent;
  std::string error;
  if (!ReadHelixLead(lead_text, &lead, &error)) return ErrorJson("lead", error);
  if (!max_error.empty() && !ReadHelixTolerance(max_error, &tolerance, &error))
    return ErrorJson("max_error", error);
  if (!CheckDivideTop(top, &error)) return ErrorJson("top", error);
  HelixAnswer answer;
  if (!HelixTrains(head, lead, tolerance, top, all, &answer, &error))
    return ErrorJson("head", error);
  ordered view = {{"caption", HelixCaption(head, answer)}};
  AddCells(HelixCells(answer), &view);
  view["none"] = NoHelixText(answer, all);
  view["csv"] = HelixCsv(answer);
  return WithView(HelixTree(answer), std::move(view));
}

}  // namespace cog
