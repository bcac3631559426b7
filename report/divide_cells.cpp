#include "report/divide_cells.h"

#include <cmath>

#include "divider/angle.h"
#include "gears/fraction_text.h"
#include "numtext/quoted_text.h"
#include "report/figure_text.h"

namespace cog {
namespace {

std::string Count(std::int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "1 turn and 4 holes", "5 holes" (no "0 turns and"), in the circle named.
std::string CrankText(const CrankMove& m, bool geared = false) {
  if (m.circle == 0)
    return Count(m.turns, "whole turn", "whole turns") +
           (geared ? ", the pin back into its hole" : ", no plate needed");
  return (m.turns ? Count(m.turns, "turn", "turns") + " and " : "") +
         Count(m.holes, "hole", "holes") + " in the " + std::to_string(m.circle) +
         "-hole circle (plate " + std::to_string(m.plate) + ")";
}

// The handwheel of a table without plates: its dial's graduations, or
// quarter turns read by eye when the head file gives no dial (circle 4).
std::string HandwheelText(const CrankMove& m) {
  if (m.circle == 4)
    return "turn the handwheel " + ShortestText(static_cast<double>(m.turns) + m.holes / 4.0) +
           (m.turns == 0 && m.holes < 4 ? " turn" : " turns");
  return "turn the handwheel " + (m.turns ? Count(m.turns, "turn", "turns") + " and " : "") +
         Count(m.holes, "graduation", "graduations") + " on its " + std::to_string(m.circle) +
         "-graduation dial";
}

// The angle the crank is indexed for, to a ten-thousandth of a degree when
// it is not whole seconds.
std::string AsForAngle(const Fraction& degrees) {
  Fraction seconds;
  if (Multiply(degrees, Whole(3600), &seconds) && seconds.den == 1) return AngleText(degrees);
  return FixedText(ToDouble(degrees), 4) + "\xC2\xB0";
}

// Which gear goes where: the spindle drives, the plate's shaft is driven.
std::string GearsText(const Way& w) {
  const std::string a = std::to_string(w.gears[0]), b = std::to_string(w.gears[1]);
  if (!w.compound_train) return a + " on the spindle, " + b + " on the plate's shaft";
  return a + " on the spindle driving " + b + ", " + std::to_string(w.gears[2]) + " on " + b +
         "'s stud driving " + std::to_string(w.gears[3]) + " on the plate's shaft";
}

// Shop manuals count the spaces between the arms, not the holes.
std::string Arms(int holes) {
  return holes > 0
             ? "; set the sector arms " + Count(holes, "space", "spaces") +
                   " apart: " + std::to_string(holes + 1) + " holes including the one the pin is in"
             : "";
}

std::string WhatText(const DivideAnswer& a) {
  return a.divisions ? Count(*a.divisions, "division", "divisions") : AngleText(*a.degrees);
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
  std::vector<std::string> cells = {std::to_string(a.divisions.value_or(0)),
                                    RatioText(a.crank_turns)};
  if (a.ways.empty()) {
    // A note short enough for the chart's width: the answer says the rest.
    const std::int64_t den = a.crank_turns.den;
    cells.insert(cells.end(),
                 {"", "", "", "",
                  head.plates.empty() || den > kMaxHoles
                      ? std::string("no exact way")
                      : "no exact way: needs a " + std::to_string(den) + "-hole circle"});
    return cells;
  }
  const std::vector<std::string> move = MoveCells(a.ways.front());
  cells.insert(cells.end(), move.begin(), move.end());
  return cells;
}

const char* const kChartLegend =
    "N: divisions; T: crank turns per division; turns, holes, circle, plate: the crank's move "
    "(set the sector arms that many spaces apart). Notes: direct plate: the holes are counted on "
    "the "
    "spindle's direct plate; diff.: differential indexing, the crank indexed for A divisions "
    "while the plate is geared to the spindle (spindle gear : plate gear, or A:B C:D), with the "
    "idlers named, turning with or against the crank; compound: after the crank, the plate moves "
    "so many holes in its second circle, with (+) or against (-) the crank.";

std::string HelixGears(const HelixTrain& t) {
  std::string out = std::to_string(t.gears[0]) + " : " + std::to_string(t.gears[1]);
  if (t.size == 4) out += ", " + std::to_string(t.gears[2]) + " : " + std::to_string(t.gears[3]);
  return out;
}

// "on the 40:1 head", but "on My B&S head": a name that opens with a
// determiner or a possessive ("Bob's") brings its own article.
std::string OnHead(const DividingHead& head) {
  const std::string name = Printable(head.name);
  const std::string first = name.substr(0, name.find(' '));
  std::string lower;
  for (char c : first) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  static const char* const kOwnArticle[] = {"my",  "our", "your", "his", "her",  "their",
                                            "its", "the", "a",    "an",  "this", "that"};
  bool own = lower.size() > 2 && (lower.ends_with("'s") || lower.ends_with("\xe2\x80\x99s"));
  for (const char* word : kOwnArticle) own = own || lower == word;
  return (own ? "on " : "on the ") + HeadTitle(head);
}

// By how much a train's error passes the tolerance, in the error's own units.
std::string BeyondText(const Fraction& error, const Fraction& max_error_percent) {
  return "beyond by " +
         FixedText(std::abs(ToDouble(error)) * 100 - ToDouble(max_error_percent), 4) + " %";
}

}  // namespace

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

std::string WayText(const Way& w) {
  switch (w.method) {
    case Method::kDirect:
      return Count(w.crank.holes, "hole", "holes") + " in the " + std::to_string(w.crank.circle) +
             "-hole circle of the direct plate, the worm disengaged";
    case Method::kSimple:
      if (w.dial) return HandwheelText(w.crank);
      return CrankText(w.crank) + (w.crank.circle ? ", the plate locked by its stop pin" : "") +
             Arms(w.crank.holes);
    case Method::kCompound:
      return CrankText(w.crank) + ", then withdraw the plate's stop pin and move the plate " +
             Count(w.plate_holes, "hole", "holes") + " in its " + std::to_string(w.plate_circle) +
             "-hole circle, " + (w.plate_with ? "with" : "against") + " the crank" +
             Arms(w.crank.holes);
    case Method::kDifferential:
      return CrankText(w.crank, true) + ", index as for " +
             (w.approximate ? std::to_string(w.approximate) : AsForAngle(w.as_for_deg)) +
             "; withdraw the plate's stop pin and gear the plate to the spindle, " + GearsText(w) +
             ", with " +
             (w.idlers == 0 ? std::string("no idler") : Count(w.idlers, "idler", "idlers")) +
             ", so that the plate turns " + (w.plate_turns_with ? "with" : "against") +
             " the crank" + Arms(w.crank.holes);
  }
  return "";
}

std::string WhyText(const DividingHead& head, const DivideAnswer& a) {
  if (!a.ways.empty()) return "";
  const std::int64_t den = a.crank_turns.den;
  if (head.plates.empty())
    return head.dial ? "the handwheel's " + std::to_string(head.dial) +
                           "-graduation dial does not give " + RatioText(a.crank_turns) + " turns"
                     : "a table without plates is indexed by its handwheel's dial: give its "
                       "graduations as \"dial\" in the head file";
  std::string need = den <= kMaxHoles
                         ? "a circle of " + std::to_string(den) + " holes (or a multiple)"
                         : "a circle of " + std::to_string(den) + " holes, more than any plate has";
  std::string out = "no circle of the plates gives " + RatioText(a.crank_turns) +
                    " turns of the crank, alone or two on one plate; it needs " + need;
  if (head.differential_off())
    return out +
           "; differential indexing is switched off in the head file (\"differential\": "
           "false)";
  if (head.differential)
    return out +
           ", or other change gears: no train of the head's gears gives the plate's turn for "
           "differential indexing";
  return out + ", or change gears on the head for differential indexing";
}

std::string NearText(const NearWay& n, const DivideAnswer& a) {
  const double deg = ToDouble(n.error_deg);
  const double size = deg < 0 ? -deg : deg;
  std::string out = "approximate, " + (deg < 0 ? std::string("short by ") : "over by ") +
                    FixedText(size, 5) + "\xC2\xB0 (" + FixedText(size * 3600, 1) + "\") " +
                    (a.divisions ? "per division" : "");
  if (a.diameter_mm)
    out += ", " + FixedText(size * std::acos(-1.0) * ToDouble(*a.diameter_mm) / 360, 6) +
           " mm at the work's " + ShortestText(ToDouble(*a.diameter_mm)) + " mm";
  if (n.closing_deg)
    out += "; after " + std::to_string(*a.divisions) + " divisions the last one is " +
           FixedText(std::abs(ToDouble(*n.closing_deg)), 4) + "\xC2\xB0 " +
           (deg < 0 ? "short" : "over");
  return out;
}

std::string HeadTitle(const DividingHead& head, std::string (*escape)(const std::string&)) {
  if (head.name.empty()) return "dividing head (ratio " + RatioText(head.ratio) + ")";
  const std::string name = Printable(head.name);
  return (escape ? escape(name) : name) + " (ratio " + RatioText(head.ratio) + ")";
}

std::string DivideCaption(const DividingHead& head, const DivideAnswer& a) {
  return WhatText(a) + " " + OnHead(head) + ": " + RatioText(a.crank_turns) +
         " turns of the crank " + (a.divisions ? "per division" : "for the angle");
}

std::string WayLine(const Way& way) {
  return MethodName(way.method) + std::string(": ") + WayText(way);
}

std::string NearLine(const NearWay& n, const DivideAnswer& a) {
  return MethodName(n.way.method) + std::string(": ") + WayText(n.way) + " (" + NearText(n, a) +
         ")";
}

std::string NoWayText(const DividingHead& head, const DivideAnswer& a) {
  return a.ways.empty() ? "No exact way: " + WhyText(head, a) + "." : "";
}

CellTable WayCells(const DivideAnswer& a) {
  CellTable cells{{"#", "method", "turns", "holes", "circle", "plate", "notes"}, {}};
  for (std::size_t i = 0; i < a.ways.size(); ++i) {
    std::vector<std::string> row = {std::to_string(i + 1), MethodName(a.ways[i].method)};
    const std::vector<std::string> move = MoveCells(a.ways[i]);
    row.insert(row.end(), move.begin(), move.end());
    cells.rows.push_back(std::move(row));
  }
  return cells;
}

std::string PlatesText(const DividingHead& head) {
  if (head.plates.empty()) return "none";
  std::string out;
  for (std::size_t i = 0; i < head.plates.size(); ++i)
    out += (i ? "; " : "") + std::to_string(i + 1) + ": " + GearList(head.plates[i]);
  return out;
}

std::string HeadGearsText(const DividingHead& head) {
  return head.differential ? GearList(head.gears) : "none";
}

std::string DivideChartTitle(const DividingHead& head, std::string (*escape)(const std::string&)) {
  return "Dividing chart: " + HeadTitle(head, escape);
}

std::vector<std::string> DivideChartHeader(const DividingHead& head) {
  return {"plates: " + PlatesText(head), "gears: " + HeadGearsText(head)};
}

std::string DivideChartLegend() { return kChartLegend; }

CellTable DivideChartCells(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  CellTable cells{{"N", "T", "turns", "holes", "circle", "plate", "notes"}, {}};
  for (const DivideAnswer& a : lines) cells.rows.push_back(ChartLine(head, a));
  return cells;
}

std::string HelixCaption(const DividingHead& head, const HelixAnswer& a) {
  // The lead in the unit it was asked in, and in mm; inches from the exact
  // millimetres (25.4 = 127/5), so 241.3 mm reads 9.5 in.
  const auto length = [&](const Fraction& mm) {
    Fraction in;
    if (!a.inches || !cog::Divide(mm, Fraction{127, 5}, &in))
      return ShortestText(ToDouble(mm)) + " mm";
    std::string inches = FixedText(ToDouble(in), 4);  // to a ten-thousandth, as drawings give it
    while (inches.back() == '0') inches.pop_back();
    if (inches.back() == '.') inches.pop_back();
    return inches + " in (" + ShortestText(ToDouble(mm)) + " mm)";
  };
  const std::string lead = length(a.lead_mm), machine = length(a.machine_lead_mm);
  const bool right = a.hand == HelixHand::kRight;
  std::string out = "Lead " + lead + ", " + (right ? "right" : "left") + "-hand, " + OnHead(head) +
                    ", table lead screw " + Printable(head.table_leadscrew_text) +
                    ": a 1:1 train cuts " + machine + ".";
  if (a.swivel_deg)
    out += " Helix angle " + FixedText(*a.helix_angle_deg, 2) + "\xC2\xB0: swivel the table " +
           FixedText(*a.swivel_deg, 2) + "\xC2\xB0 " + (right ? "counterclockwise" : "clockwise") +
           " (seen from above).";
  return out +
         " Gears from the table's lead screw to the head: driver : driven, or A : B, C : D with "
         "A on the lead screw and C on B's shaft; the idlers named turn the work for a " +
         (right ? "right" : "left") + "-hand helix.";
}

std::string NoHelixText(const HelixAnswer& a, bool keep_all) {
  if (!a.trains.empty()) return "";
  return std::string("No train of the head's gears is within the tolerance") +
         (keep_all ? "" : " (--all shows the nearest)") + ".";
}

CellTable HelixCells(const HelixAnswer& a) {
  CellTable cells{{"#", "kind", "gears", "idlers", "ratio", "lead mm", "error %", "tolerance"}, {}};
  for (std::size_t i = 0; i < a.trains.size(); ++i) {
    const HelixTrain& t = a.trains[i];
    cells.rows.push_back({std::to_string(i + 1), t.size == 2 ? "simple" : "compound", HelixGears(t),
                          std::to_string(t.idlers), FractionText(t.ratio),
                          FixedText(ToDouble(t.lead_mm), 4), FixedText(ToDouble(t.error) * 100, 4),
                          t.within ? "within" : BeyondText(t.error, a.max_error_percent)});
  }
  return cells;
}

}  // namespace cog
