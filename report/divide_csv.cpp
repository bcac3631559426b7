#include "report/divide_csv.h"

#include "divider/head.h"
#include "gears/fraction_text.h"
#include "report/divide_cells.h"

namespace cog {
namespace {

const char* const kWayColumns =
    "method,turns,holes,circle,plate,plate_holes,plate_circle,plate_move,approximate,kind,gears,"
    "idlers,plate_turns";

// The CSV fields of one way (or empty ones), after the line's own.
std::string WayFields(const Way* w) {
  if (!w) return ",,,,,,,,,,,,";
  std::string gears;
  if (w->method == Method::kDifferential)
    for (int i = 0; i < (w->compound_train ? 4 : 2); ++i)
      gears += (i ? " " : "") + std::to_string(w->gears[i]);
  const bool c = w->method == Method::kCompound, d = w->method == Method::kDifferential;
  auto opt = [](int v) { return v ? std::to_string(v) : std::string(); };
  return std::string(MethodName(w->method)) + ',' + std::to_string(w->crank.turns) + ',' +
         std::to_string(w->crank.holes) + ',' + opt(w->crank.circle) + ',' + opt(w->crank.plate) +
         ',' + (c ? std::to_string(w->plate_holes) : "") + ',' +
         (c ? std::to_string(w->plate_circle) : "") + ',' +
         (c ? (w->plate_with ? "with" : "against") : "") + ',' +
         (d ? std::to_string(w->approximate) : "") + ',' +
         (d ? (w->compound_train ? "compound" : "simple") : "") + ',' + gears + ',' +
         (d ? std::to_string(w->idlers) : "") + ',' +
         (d ? (w->plate_turns_with ? "with" : "against") : "");
}

}  // namespace

std::string DivideCsv(const DivideAnswer& a) {
  std::string out = std::string("rank,") + kWayColumns + "\n";
  for (std::size_t i = 0; i < a.ways.size(); ++i)
    out += std::to_string(i + 1) + ',' + WayFields(&a.ways[i]) + "\n";
  return out;
}

std::string DivideChartCsv(const std::vector<DivideAnswer>& lines) {
  std::string out = std::string("divisions,crank_turns,") + kWayColumns + "\n";
  for (const DivideAnswer& a : lines)
    out += std::to_string(a.divisions.value_or(0)) + ',' + RatioText(a.crank_turns) + ',' +
           WayFields(a.ways.empty() ? nullptr : &a.ways.front()) + "\n";
  return out;
}

std::string HelixCsv(const HelixAnswer& a) {
  std::string out = "rank,kind,gears,ratio,lead_mm,error_fraction,within\n";
  for (std::size_t i = 0; i < a.trains.size(); ++i) {
    const HelixTrain& t = a.trains[i];
    std::string gears;
    for (int k = 0; k < t.size; ++k) gears += (k ? " " : "") + std::to_string(t.gears[k]);
    out += std::to_string(i + 1) + ',' + (t.size == 2 ? "simple" : "compound") + ',' + gears + ',' +
           FractionText(t.ratio) + ',' + ShortestText(ToDouble(t.lead_mm)) + ',' +
           ShortestText(ToDouble(t.error)) + ',' + (t.within ? "true" : "false") + "\n";
  }
  return out;
}

}  // namespace cog
