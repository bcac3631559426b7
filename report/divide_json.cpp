#include "report/divide_json.h"

#include "gears/fraction_text.h"
#include "report/divide_cells.h"
#include "report/divide_tree.h"
#include "report/results_tree.h"

namespace cog {
namespace {

using json = nlohmann::ordered_json;

json WayJson(const Way& w) {
  json out = {{"method", MethodName(w.method)},
              {"turns", w.crank.turns},
              {"holes", w.crank.holes},
              {"circle", w.crank.circle ? json(w.crank.circle) : json(nullptr)},
              {"plate", w.crank.plate ? json(w.crank.plate) : json(nullptr)}};
  if (w.method == Method::kCompound) {
    out["plate_holes"] = w.plate_holes;
    out["plate_circle"] = w.plate_circle;
    out["plate_move"] = w.plate_with ? "with" : "against";
  }
  if (w.method == Method::kDifferential) {
    out["approximate"] = w.approximate;
    out["kind"] = w.compound_train ? "compound" : "simple";
    json gears = json::array();
    for (int i = 0; i < (w.compound_train ? 4 : 2); ++i) gears.push_back(w.gears[i]);
    out["gears"] = gears;
    out["idlers"] = w.idlers;
    out["plate_turns"] = w.plate_turns_with ? "with" : "against";
  }
  out["text"] = WayText(w);
  return out;
}

json HeadJson(const DividingHead& head) {
  return {{"name", head.name}, {"ratio", RatioText(head.ratio)}};
}

json WhyJson(const DividingHead& head, const DivideAnswer& a) {
  const std::string why = WhyText(head, a);
  return why.empty() ? json(nullptr) : json(why);
}

}  // namespace

json DivideTree(const DividingHead& head, const DivideAnswer& a) {
  json ways = json::array();
  for (const Way& w : a.ways) ways.push_back(WayJson(w));
  return {{"divisions", a.divisions ? json(*a.divisions) : json(nullptr)},
          {"degrees", a.degrees ? json(RatioText(*a.degrees)) : json(nullptr)},
          {"crank_turns", RatioText(a.crank_turns)},
          {"head", HeadJson(head)},
          {"ways", ways},
          {"why", WhyJson(head, a)}};
}

json DivideChartTree(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  json items = json::array();
  for (const DivideAnswer& a : lines)
    items.push_back({{"divisions", a.divisions ? json(*a.divisions) : json(nullptr)},
                     {"crank_turns", RatioText(a.crank_turns)},
                     {"way", a.ways.empty() ? json(nullptr) : WayJson(a.ways.front())},
                     {"why", WhyJson(head, a)}});
  return {{"head", HeadJson(head)}, {"lines", items}};
}

json HelixTree(const HelixAnswer& a) {
  json trains = json::array();
  for (const HelixTrain& t : a.trains) {
    json gears = json::array();
    for (int i = 0; i < t.size; ++i) gears.push_back(t.gears[i]);
    trains.push_back({{"kind", t.size == 2 ? "simple" : "compound"},
                      {"gears", gears},
                      {"ratio", FractionText(t.ratio)},
                      {"lead_mm", ToDouble(t.lead_mm)},
                      {"error", ToDouble(t.error)},
                      {"within", t.within}});
  }
  return {{"lead_mm", ToDouble(a.lead_mm)},
          {"machine_lead_mm", ToDouble(a.machine_lead_mm)},
          {"trains", trains}};
}

std::string DivideJson(const DividingHead& head, const DivideAnswer& a) {
  return Dump(DivideTree(head, a));
}

std::string DivideChartJson(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  return Dump(DivideChartTree(head, lines));
}

std::string HelixJson(const HelixAnswer& a) { return Dump(HelixTree(a)); }

}  // namespace cog
