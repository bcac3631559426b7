#include "divider/divide_text.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "divider/angle.h"
#include "divider/divide_tree.h"
#include "gears/fraction_text.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

using json = nlohmann::ordered_json;

std::string Count(std::int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// geared: the plate is geared to the spindle, so the pin goes back into a hole.
std::string CrankText(const CrankMove& m, bool geared = false) {
  if (m.circle == 0)
    return Count(m.turns, "whole turn", "whole turns") +
           (geared ? ", the pin back into its hole" : ", no plate needed");
  return Count(m.turns, "turn", "turns") + " and " + Count(m.holes, "hole", "holes") + " in the " +
         std::to_string(m.circle) + "-hole circle (plate " + std::to_string(m.plate) + ")";
}

std::string GearsText(const Way& w) {
  if (!w.compound_train) return std::to_string(w.gears[0]) + " : " + std::to_string(w.gears[1]);
  return std::to_string(w.gears[0]) + " : " + std::to_string(w.gears[1]) + ", then " +
         std::to_string(w.gears[2]) + " : " + std::to_string(w.gears[3]);
}

std::string Arms(int holes) {
  return holes > 0 ? "; set the sector arms to span " + Count(holes, "hole", "holes") : "";
}

const char* MethodName(Method m) {
  switch (m) {
    case Method::kDirect:
      return "direct";
    case Method::kSimple:
      return "simple";
    case Method::kCompound:
      return "compound";
    case Method::kDifferential:
      return "differential";
  }
  return "";
}

std::string Exact(const Fraction& f) { return RatioText(f); }

std::string WhatText(const DivideAnswer& a) {
  return a.divisions ? Count(*a.divisions, "division", "divisions") : AngleText(*a.degrees);
}

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

}  // namespace

json DivideTree(const DividingHead& head, const DivideAnswer& a) {
  json ways = json::array();
  for (const Way& w : a.ways) ways.push_back(WayJson(w));
  const std::string why = WhyText(head, a);
  return {{"divisions", a.divisions ? json(*a.divisions) : json(nullptr)},
          {"degrees", a.degrees ? json(Exact(*a.degrees)) : json(nullptr)},
          {"crank_turns", Exact(a.crank_turns)},
          {"head", HeadJson(head)},
          {"ways", ways},
          {"why", why.empty() ? json(nullptr) : json(why)}};
}

namespace {

std::string Dump(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

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

const char* const kWayColumns =
    "method,turns,holes,circle,plate,plate_holes,plate_circle,plate_move,approximate,kind,gears,"
    "idlers,plate_turns";

std::string List(const std::vector<int>& values) {
  std::string out;
  for (int v : values) out += (out.empty() ? "" : " ") + std::to_string(v);
  return out;
}

std::string PlatesText(const DividingHead& head) {
  if (head.plates.empty()) return "none";
  std::string out;
  for (std::size_t i = 0; i < head.plates.size(); ++i)
    out += (i ? "; " : "") + std::to_string(i + 1) + ": " + List(head.plates[i]);
  return out;
}

// The crank's move and a short note of the rest: the columns after a
// chart's N and T, and after an answer's # and method.
std::vector<std::string> MoveCells(const Way& w) {
  std::string note;
  if (w.method == Method::kDirect) note = "direct plate";
  if (w.method == Method::kCompound)
    note = std::string("compound: plate ") + (w.plate_with ? "+" : "-") +
           std::to_string(w.plate_holes) + " in " + std::to_string(w.plate_circle);
  if (w.method == Method::kDifferential) {
    std::string gears = std::to_string(w.gears[0]) + ":" + std::to_string(w.gears[1]);
    if (w.compound_train)
      gears += " " + std::to_string(w.gears[2]) + ":" + std::to_string(w.gears[3]);
    note = "diff. A=" + std::to_string(w.approximate) + " " + gears + " " +
           std::to_string(w.idlers) + " idl. " + (w.plate_turns_with ? "with" : "against");
  }
  const bool circle = w.crank.circle != 0;
  return {std::to_string(w.crank.turns), circle ? std::to_string(w.crank.holes) : "",
          circle ? std::to_string(w.crank.circle) : "",
          w.crank.plate ? std::to_string(w.crank.plate) : "", note};
}

std::vector<std::string> ChartLine(const DividingHead& head, const DivideAnswer& a) {
  std::vector<std::string> cells = {std::to_string(a.divisions.value_or(0)), Exact(a.crank_turns)};
  if (a.ways.empty()) {
    cells.insert(cells.end(), {"", "", "", "", "no way: " + WhyText(head, a)});
    return cells;
  }
  const std::vector<std::string> move = MoveCells(a.ways.front());
  cells.insert(cells.end(), move.begin(), move.end());
  return cells;
}

const char* const kChartLegend =
    "N: divisions; T: crank turns per division; turns, holes, circle, plate: the crank's move "
    "(set the sector arms to span the holes). Notes: direct plate: the holes are counted on the "
    "spindle's direct plate; diff.: differential indexing, the crank indexed for A divisions "
    "while the plate is geared to the spindle (spindle gear : plate gear, or A:B C:D), with the "
    "idlers named, turning with or against the crank; compound: after the crank, the plate moves "
    "so many holes in its second circle, with (+) or against (-) the crank.";

// Words on lines of at most `width` characters, for the text sheets; a gear
// pair "A : B" is never broken.
std::string Wrap(const std::string& text, std::size_t width = 88) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    std::string word = text.substr(start, end - start);
    if (words.size() >= 2 && words.back() == ":") {
      words.pop_back();
      words.back() += " : " + word;
    } else {
      words.push_back(std::move(word));
    }
    start = end + 1;
  }
  std::string out, line;
  for (const std::string& word : words) {
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line + "\n";
}

std::string Pad(const std::string& s, std::size_t width, bool right = false) {
  if (s.size() >= width) return s;
  return right ? std::string(width - s.size(), ' ') + s : s + std::string(width - s.size(), ' ');
}

std::string Html(const std::string& s) {
  std::string out;
  for (char ch : s) {
    if (ch == '<')
      out += "&lt;";
    else if (ch == '>')
      out += "&gt;";
    else if (ch == '&')
      out += "&amp;";
    else if (ch == '"')
      out += "&quot;";
    else
      out += ch;
  }
  return out;
}

std::string HelixGears(const HelixTrain& t) {
  std::string out = std::to_string(t.gears[0]) + " : " + std::to_string(t.gears[1]);
  if (t.size == 4) out += ", " + std::to_string(t.gears[2]) + " : " + std::to_string(t.gears[3]);
  return out;
}

}  // namespace

std::string WayText(const Way& w) {
  switch (w.method) {
    case Method::kDirect:
      return Count(w.crank.holes, "hole", "holes") + " in the " + std::to_string(w.crank.circle) +
             "-hole circle of the direct plate, the worm disengaged";
    case Method::kSimple:
      return CrankText(w.crank) + Arms(w.crank.holes);
    case Method::kCompound:
      return CrankText(w.crank) + ", then the plate itself " +
             Count(w.plate_holes, "hole", "holes") + " in its " + std::to_string(w.plate_circle) +
             "-hole circle, " + (w.plate_with ? "with" : "against") + " the crank" +
             Arms(w.crank.holes);
    case Method::kDifferential:
      return CrankText(w.crank, true) + ", for " + std::to_string(w.approximate) +
             " divisions; gear the plate to the spindle " + GearsText(w) + " with " +
             (w.idlers == 0 ? std::string("no idler") : Count(w.idlers, "idler", "idlers")) +
             ", so that it turns " + (w.plate_turns_with ? "with" : "against") + " the crank" +
             Arms(w.crank.holes);
  }
  return "";
}

std::string WhyText(const DividingHead& head, const DivideAnswer& a) {
  if (!a.ways.empty()) return "";
  const std::int64_t den = a.crank_turns.den;
  std::string need = den <= kMaxHoles
                         ? "a circle of " + std::to_string(den) + " holes (or a multiple)"
                         : "a circle of " + std::to_string(den) + " holes, more than any plate has";
  std::string out = "no circle of the plates gives " + Exact(a.crank_turns) +
                    " turns of the crank, alone or two on one plate; it needs " + need;
  if (!a.divisions) return out + " (an angle is indexed by simple or compound indexing only)";
  if (head.differential)
    return out +
           ", or other change gears: no train of the head's gears gives the plate's turn for "
           "differential indexing with any approximate number";
  return out + ", or change gears on the head for differential indexing";
}

std::string HeadTitle(const DividingHead& head) {
  return (head.name.empty() ? std::string("dividing head") : Printable(head.name)) + " (ratio " +
         RatioText(head.ratio) + ")";
}

std::string DivideCaption(const DividingHead& head, const DivideAnswer& a) {
  return WhatText(a) + " on the " + HeadTitle(head) + ": " + Exact(a.crank_turns) +
         " turns of the crank " + (a.divisions ? "per division" : "for the angle");
}

std::string WayLine(const Way& way) {
  return MethodName(way.method) + std::string(": ") + WayText(way);
}

std::string NoWayText(const DividingHead& head, const DivideAnswer& a) {
  return a.ways.empty() ? "No exact way: " + WhyText(head, a) + "." : "";
}

CellRows WayCells(const DivideAnswer& a) {
  CellRows cells{{"#", "method", "turns", "holes", "circle", "plate", "notes"}, {}};
  for (std::size_t i = 0; i < a.ways.size(); ++i) {
    std::vector<std::string> row = {std::to_string(i + 1), MethodName(a.ways[i].method)};
    const std::vector<std::string> move = MoveCells(a.ways[i]);
    row.insert(row.end(), move.begin(), move.end());
    cells.rows.push_back(std::move(row));
  }
  return cells;
}

std::string DivideText(const DividingHead& head, const DivideAnswer& a) {
  std::string out = DivideCaption(head, a) + "\n";
  for (std::size_t i = 0; i < a.ways.size(); ++i)
    out += std::to_string(i + 1) + ". " + WayLine(a.ways[i]) + "\n";
  if (a.ways.empty()) out += NoWayText(head, a) + "\n";
  return out;
}

std::string DivideJson(const DividingHead& head, const DivideAnswer& a) {
  return Dump(DivideTree(head, a));
}

std::string DivideCsv(const DivideAnswer& a) {
  std::string out = std::string("rank,") + kWayColumns + "\n";
  for (std::size_t i = 0; i < a.ways.size(); ++i)
    out += std::to_string(i + 1) + ',' + WayFields(&a.ways[i]) + "\n";
  return out;
}

bool BuildDivideChart(const Indexer& indexer, int from, int to, std::vector<DivideAnswer>* lines,
                      std::string* error) {
  lines->clear();
  for (int n = from; n <= to; ++n)
    if (!indexer.WaysForDivisions(n, 1, &lines->emplace_back(), error)) return false;
  return true;
}

std::string DivideChartTitle(const DividingHead& head) {
  return "Dividing chart: " + HeadTitle(head);
}

std::vector<std::string> DivideChartHeader(const DividingHead& head) {
  return {"plates: " + PlatesText(head),
          "gears: " + (head.differential ? List(head.gears) : std::string("none"))};
}

std::string DivideChartLegend() { return kChartLegend; }

CellRows DivideChartCells(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  CellRows cells{{"N", "T", "turns", "holes", "circle", "plate", "notes"}, {}};
  for (const DivideAnswer& a : lines) cells.rows.push_back(ChartLine(head, a));
  return cells;
}

std::string DivideChartText(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  std::string out = DivideChartTitle(head) + "\n";
  for (const std::string& line : DivideChartHeader(head)) out += line + "\n";
  out += Wrap(kChartLegend) + "\n";
  out += "     N  T            turns holes circle plate  notes\n";
  for (const DivideAnswer& a : lines) {
    const std::vector<std::string> c = ChartLine(head, a);
    std::string line = Pad(c[0], 6, true) + "  " + Pad(c[1], 12) + " " + Pad(c[2], 5, true) + " " +
                       Pad(c[3], 5, true) + " " + Pad(c[4], 6, true) + " " + Pad(c[5], 5, true) +
                       "  " + c[6];
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

json DivideChartTree(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  json items = json::array();
  for (const DivideAnswer& a : lines) {
    const std::string why = WhyText(head, a);
    items.push_back({{"divisions", a.divisions ? json(*a.divisions) : json(nullptr)},
                     {"crank_turns", Exact(a.crank_turns)},
                     {"way", a.ways.empty() ? json(nullptr) : WayJson(a.ways.front())},
                     {"why", why.empty() ? json(nullptr) : json(why)}});
  }
  return {{"head", HeadJson(head)}, {"lines", items}};
}

std::string DivideChartJson(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  return Dump(DivideChartTree(head, lines));
}

std::string DivideChartCsv(const std::vector<DivideAnswer>& lines) {
  std::string out = std::string("divisions,crank_turns,") + kWayColumns + "\n";
  for (const DivideAnswer& a : lines)
    out += std::to_string(a.divisions.value_or(0)) + ',' + Exact(a.crank_turns) + ',' +
           WayFields(a.ways.empty() ? nullptr : &a.ways.front()) + "\n";
  return out;
}

std::string DivideChartMarkdown(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  std::string out = "## Dividing chart: " + HeadTitle(head) + "\n\nPlates: " + PlatesText(head) +
                    ". Gears: " + (head.differential ? List(head.gears) : "none") + ".\n\n" +
                    kChartLegend + "\n\n| N | T | turns | holes | circle | plate | notes |\n" +
                    "|---:|---|---:|---:|---:|---:|---|\n";
  for (const DivideAnswer& a : lines) {
    std::string line = "|";
    for (const std::string& cell : ChartLine(head, a)) line += " " + cell + " |";
    out += line + "\n";
  }
  return out;
}

std::string DivideChartHtml(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  std::string out =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Dividing chart: " +
      Html(HeadTitle(head)) +
      "</title>\n<style>\n@page { size: A4; margin: 12mm; }\n"
      "body { font: 8pt sans-serif; }\n.cols { columns: 2; column-gap: 8mm; }\n"
      "table { border-collapse: collapse; width: 100%; }\n"
      "td, th { padding: 0 3px; border-bottom: 1px solid #ccc; text-align: right; }\n"
      "td:last-child, th:last-child { text-align: left; }\n</style></head><body>\n<h1>" +
      Html("Dividing chart: " + HeadTitle(head)) + "</h1>\n<p>Plates: " + Html(PlatesText(head)) +
      ". Gears: " + Html(head.differential ? List(head.gears) : "none") + ".</p>\n<p>" +
      Html(kChartLegend) +
      "</p>\n<div class=\"cols\"><table>\n<thead><tr><th>N</th><th>T</th><th>turns</th>"
      "<th>holes</th><th>circle</th><th>plate</th><th>notes</th></tr></thead>\n<tbody>\n";
  for (const DivideAnswer& a : lines) {
    out += "<tr>";
    for (const std::string& cell : ChartLine(head, a)) out += "<td>" + Html(cell) + "</td>";
    out += "</tr>\n";
  }
  return out + "</tbody></table></div>\n</body></html>\n";
}

std::string HelixCaption(const DividingHead& head, const HelixAnswer& a) {
  return "Lead " + ShortestText(ToDouble(a.lead_mm)) + " mm on the " + HeadTitle(head) +
         ", table lead screw " + Printable(head.table_leadscrew_text) + ": a 1:1 train cuts " +
         ShortestText(ToDouble(a.machine_lead_mm)) +
         " mm. Gears from the table's lead screw to the head: driver : driven, "
         "or A : B, C : D with A on the lead screw and C on B's shaft.";
}

std::string NoHelixText(const HelixAnswer& a, bool keep_all) {
  if (!a.trains.empty()) return "";
  return std::string("No train of the head's gears is within the tolerance") +
         (keep_all ? "" : " (--all shows the nearest)") + ".";
}

CellRows HelixCells(const HelixAnswer& a) {
  CellRows cells{{"#", "kind", "gears", "ratio", "lead mm", "error %", "within"}, {}};
  for (std::size_t i = 0; i < a.trains.size(); ++i) {
    const HelixTrain& t = a.trains[i];
    cells.rows.push_back({std::to_string(i + 1), t.size == 2 ? "simple" : "compound", HelixGears(t),
                          FractionText(t.ratio), FixedText(ToDouble(t.lead_mm), 4),
                          FixedText(ToDouble(t.error) * 100, 4),
                          t.within ? "" : "beyond the tolerance"});
  }
  return cells;
}

std::string HelixText(const DividingHead& head, const HelixAnswer& a, bool keep_all) {
  std::string out = Wrap(HelixCaption(head, a));
  if (a.trains.empty()) return out + NoHelixText(a, keep_all) + "\n";
  out += "  #  kind      gears                    ratio      lead mm    error %\n";
  for (const std::vector<std::string>& c : HelixCells(a).rows)
    out += Pad(c[0], 3, true) + "  " + Pad(c[1], 9) + " " + Pad(c[2], 24) + " " + Pad(c[3], 10) +
           " " + Pad(c[4], 10, true) + " " + Pad(c[5], 10, true) +
           (c[6].empty() ? "" : "  " + c[6]) + "\n";
  return out;
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

std::string HelixJson(const HelixAnswer& a) { return Dump(HelixTree(a)); }

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
