#include "report/gear_sheet.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "divider/angle.h"
#include "gears/fraction_text.h"
#include "report/divide_cells.h"
#include "report/divide_tree.h"
#include "report/figure_text.h"

namespace cog {
namespace {

using json = nlohmann::ordered_json;

bool Inch(const GearJob& job) { return job.asked.system != ToothSystem::kModule; }

// "84.000 mm", and for an inch gear "84.667 mm (3.3333 in)".
std::string Length(const GearJob& job, double mm) {
  std::string out = FixedText(mm, 3) + " mm";
  if (Inch(job)) out += " (" + FixedText(mm / 25.4, 4) + " in)";
  return out;
}

std::string Degrees(double degrees) { return ShortestText(degrees) + "\u00B0"; }

const char* HelixHandName(HelixHand hand) {
  return hand == HelixHand::kRight ? "right" : hand == HelixHand::kLeft ? "left" : nullptr;
}

const char* SystemName(ToothSystem system) {
  return system == ToothSystem::kModule ? "module" : system == ToothSystem::kDp ? "dp" : "cp";
}

std::string SizeText(const GearJob& job) {
  const std::string size = ShortestText(ToDouble(job.asked.size));
  switch (job.asked.system) {
    case ToothSystem::kModule:
      return "module " + size;
    case ToothSystem::kDp:
      return size + " DP (module " + FixedText(job.asked.module_mm, 4) + ")";
    case ToothSystem::kCp:
      return size + " in circular pitch (module " + FixedText(job.asked.module_mm, 4) + ")";
  }
  return "";
}

std::string CutterWhy(const GearJob& job) {
  if (job.figures.cutter) return "";
  return "no cutter of the set fits " + std::to_string(job.figures.virtual_rounded) +
         (IsHelical(job.asked) ? " virtual teeth" : " teeth") + ": the smallest is made for " +
         std::to_string(kFewestCutterTeeth) +
         ", and fewer teeth cut by it would be undercut; generate the teeth (hob or shaper) or "
         "shift the profile";
}

// A figure for JSON and CSV: to the micrometre's thousandth, so that every
// build writes the same digits.
double Rounded(double value) {
  Fraction exact;
  std::string ignored;
  if (!ReadFraction(FixedText(value, 6), &exact, &ignored)) return value;
  return ToDouble(exact);
}

std::string PinNote(const GearJob& job) {
  const PinCheck& p = *job.figures.pins;
  if (job.asked.pin_mm) return "your pins";
  return p.usual ? "the usual 1.728\u00B7m" : "pins touching at the pitch circle";
}

json IndexTree(const DividingHead& head, const GearJob& job) {
  const json tree = DivideTree(head, job.index);
  if (!tree["ways"].empty()) return tree["ways"][0];
  return tree["nearest"].empty() ? json(nullptr) : tree["nearest"][0];
}

// The CSV's index cell: the exact way, else the nearest one.
json IndexLine(const GearJob& job) {
  const DivideAnswer& a = job.index;
  if (!a.ways.empty()) return WayLine(a.ways.front());
  return a.nearest.empty() ? json(nullptr) : json(NearLine(a.nearest.front(), a));
}

json HelixTrainTree(const GearJob& job) {
  if (!job.helix || job.helix->trains.empty()) return nullptr;
  return HelixTree(*job.helix)["trains"][0];
}

json Tree(const DividingHead& head, const GearJob& job) {
  const GearFigures& f = job.figures;
  const char* hand = HelixHandName(job.asked.hand);
  json cutter = nullptr;
  if (f.cutter)
    cutter = {{"dp_number", f.cutter->dp_number},
              {"module_number", f.cutter->module_number},
              {"from", f.cutter->from},
              {"to", f.cutter->to ? json(f.cutter->to) : json(nullptr)}};
  const std::string why = CutterWhy(job);
  json pins = nullptr;
  if (f.pins) pins = {{"pin_mm", Rounded(f.pins->pin_mm)}, {"mm", Rounded(f.pins->mm)}};
  return {{"teeth", job.asked.teeth},
          {"system", SystemName(job.asked.system)},
          {"module_mm", Rounded(job.asked.module_mm)},
          {"pressure_angle_deg", job.asked.pressure_deg},
          {"helix_angle_deg", ToDouble(job.asked.helix)},
          {"hand", hand ? json(hand) : json(nullptr)},
          {"shift", job.asked.shift},
          {"pitch_diameter_mm", Rounded(f.pitch_mm)},
          {"base_diameter_mm", Rounded(f.base_mm)},
          {"tip_diameter_mm", Rounded(f.tip_mm)},
          {"root_diameter_mm", Rounded(f.root_mm)},
          {"whole_depth_mm", Rounded(f.whole_depth_mm)},
          {"virtual_teeth", Rounded(f.virtual_teeth)},
          {"cutter", cutter},
          {"cutter_why", why.empty() ? json(nullptr) : json(why)},
          {"span", {{"teeth", f.span.teeth}, {"mm", Rounded(f.span.mm)}}},
          {"chordal",
           {{"thickness_mm", Rounded(f.chordal_thickness_mm)},
            {"height_mm", Rounded(f.chordal_height_mm)}}},
          {"over_pins", pins},
          {"lead_mm", f.lead_mm ? json(Rounded(*f.lead_mm)) : json(nullptr)},
          {"index", IndexTree(head, job)},
          {"helix_train", HelixTrainTree(job)}};
}

std::string Csv(const json& value) {
  if (value.is_null()) return "";
  if (value.is_string()) return CsvCell(value.get<std::string>());
  if (value.is_number_float()) return ShortestText(value.get<double>());
  return value.dump();
}

}  // namespace

std::string GearLength(const GearJob& job, double mm) { return Length(job, mm); }

std::string GearTitle(const GearJob& job) {
  std::string out = std::to_string(job.asked.teeth) + " teeth, " + SizeText(job) + ", " +
                    Degrees(job.asked.pressure_deg) + " pressure angle, ";
  if (IsHelical(job.asked))
    out += "helical " + AngleText(job.asked.helix) + " " + HelixHandName(job.asked.hand) + " hand";
  else
    out += "spur";
  if (job.asked.shift != 0) out += ", profile shift " + ShortestText(job.asked.shift);
  return out;
}

std::string GearRules(const GearJob& job) {
  return std::string("Geometry by ISO 21771; ") +
         (Inch(job) ? "the inch full-depth rack (addendum 1/P, dedendum 1.157/P)"
                    : "the ISO 53 rack (addendum m, dedendum 1.25 m)") +
         (IsHelical(job.asked) ? "; cutter, chordal and span on the normal section" : "");
}

std::string CutterText(const GearJob& job) {
  const std::optional<Cutter>& c = job.figures.cutter;
  if (!c) return CutterWhy(job);
  const std::string range = c->to ? std::to_string(c->from) + " to " + std::to_string(c->to)
                                  : std::to_string(c->from) + " teeth to a rack";
  return "cutter for " + range + (c->to ? " teeth" : "") + ": No. " + std::to_string(c->dp_number) +
         " of a DP set, No. " + std::to_string(c->module_number) + " of a module set";
}

std::vector<SheetSection> GearSections(const DividingHead& head, const GearJob& job) {
  const GearFigures& f = job.figures;
  std::vector<SheetSection> out;
  out.push_back({"Blank",
                 {"turn the blank to " + Length(job, f.tip_mm) + ", the tip diameter",
                  "pitch diameter " + Length(job, f.pitch_mm) + ", base " + Length(job, f.base_mm) +
                      ", root " + Length(job, f.root_mm)}});
  std::vector<std::string> cutter = {CutterText(job)};
  if (IsHelical(job.asked))
    cutter.push_back("chosen for " + FixedText(f.virtual_teeth, 2) +
                     " virtual teeth (Z / cos\u00B3\u03B2), rounded to " +
                     std::to_string(f.virtual_rounded));
  out.push_back({"Cutter", cutter});
  out.push_back(
      {"Depth",
       {"cut " + Length(job, f.whole_depth_mm) + " deep from the blank's surface: addendum " +
        Length(job, f.addendum_mm) + ", dedendum " + Length(job, f.dedendum_mm)}});
  std::vector<std::string> index = {DivideCaption(head, job.index)};
  index.push_back(job.index.ways.empty() ? NoWayText(head, job.index)
                                         : WayLine(job.index.ways.front()));
  if (job.index.ways.empty() && !job.index.nearest.empty())
    index.push_back("nearest: " + NearLine(job.index.nearest.front(), job.index));
  out.push_back({"Index", index});
  std::vector<std::string> helix;
  if (!f.lead_mm) {
    helix.push_back("none: a spur gear");
  } else {
    helix.push_back("lead " + Length(job, *f.lead_mm) + "; swivel the table " +
                    AngleText(job.asked.helix) + " for a " + HelixHandName(job.asked.hand) +
                    "-hand helix");
    if (job.helix && !job.helix->trains.empty()) {
      const std::vector<std::string> t = HelixCells(*job.helix).rows.front();
      helix.push_back("change gears from the table's lead screw to the head (helix " +
                      job.lead_text + "): " + t[1] + " " + t[2] + ", ratio " + t[3] + ", lead " +
                      t[4] + " mm, error " + t[5] + " %");
    } else {
      helix.push_back("no change gears: " + job.helix_why);
    }
  }
  out.push_back({"Helix", helix});
  std::vector<std::string> checks;
  checks.push_back("span over " + std::to_string(f.span.teeth) + " teeth " +
                   Length(job, f.span.mm) + " (over " + std::to_string(f.span.teeth + 1) + ": " +
                   Length(job, f.span.next_mm) + ")" +
                   (f.span.on_flank ? ""
                                    : "; the jaws touch at " + Length(job, f.span.contact_mm) +
                                          ", off the flank: check by the other means"));
  checks.push_back("chordal thickness " + Length(job, f.chordal_thickness_mm) +
                   " at a chordal height of " + Length(job, f.chordal_height_mm) +
                   (IsHelical(job.asked) ? ", across the teeth (normal section)" : ""));
  if (f.pins)
    checks.push_back("over two pins of " + Length(job, f.pins->pin_mm) + " (" + PinNote(job) +
                     "): " + Length(job, f.pins->mm));
  else if (IsHelical(job.asked))
    checks.push_back("over pins: not for a helical gear");
  else
    checks.push_back("over pins: no pin touches both flanks of this gear");
  out.push_back({"Checks", checks});
  return out;
}

std::string GearText(const DividingHead& head, const GearJob& job) {
  std::string out = "Gear: " + GearTitle(job) + "\n" + GearRules(job) + "\n\n";
  for (const SheetSection& s : GearSections(head, job)) {
    std::string heading = s.heading;
    heading.resize(8, ' ');
    for (std::size_t i = 0; i < s.lines.size(); ++i)
      out += (i == 0 ? heading : std::string(8, ' ')) + s.lines[i] + "\n";
  }
  return out;
}

std::string GearJson(const DividingHead& head, const GearJob& job) {
  return Tree(head, job).dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string GearCsv(const DividingHead& head, const GearJob& job) {
  const json tree = Tree(head, job);
  const json& cutter = tree["cutter"];
  const auto cut = [&](const char* key) { return cutter.is_null() ? json(nullptr) : cutter[key]; };
  const bool pins = !tree["over_pins"].is_null();
  const std::vector<std::pair<const char*, json>> cells = {
      {"teeth", tree["teeth"]},
      {"system", tree["system"]},
      {"module_mm", tree["module_mm"]},
      {"pressure_angle_deg", tree["pressure_angle_deg"]},
      {"helix_angle_deg", tree["helix_angle_deg"]},
      {"hand", tree["hand"]},
      {"shift", tree["shift"]},
      {"pitch_diameter_mm", tree["pitch_diameter_mm"]},
      {"base_diameter_mm", tree["base_diameter_mm"]},
      {"tip_diameter_mm", tree["tip_diameter_mm"]},
      {"root_diameter_mm", tree["root_diameter_mm"]},
      {"whole_depth_mm", tree["whole_depth_mm"]},
      {"virtual_teeth", tree["virtual_teeth"]},
      {"cutter_dp_number", cut("dp_number")},
      {"cutter_module_number", cut("module_number")},
      {"cutter_from", cut("from")},
      {"cutter_to", cut("to")},
      {"span_teeth", tree["span"]["teeth"]},
      {"span_mm", tree["span"]["mm"]},
      {"chordal_thickness_mm", tree["chordal"]["thickness_mm"]},
      {"chordal_height_mm", tree["chordal"]["height_mm"]},
      {"pin_mm", pins ? tree["over_pins"]["pin_mm"] : json(nullptr)},
      {"over_pins_mm", pins ? tree["over_pins"]["mm"] : json(nullptr)},
      {"lead_mm", tree["lead_mm"]},
      {"index", IndexLine(job)},
  };
  std::string head_line, line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    head_line += (i ? "," : "") + std::string(cells[i].first);
    line += (i ? "," : "") + Csv(cells[i].second);
  }
  return head_line + "\n" + line + "\n";
}

std::string GearHtml(const DividingHead& head, const GearJob& job) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Gear: " +
      HtmlText(GearTitle(job)) +
      "</title>\n<style>\n"
      "@page { size: A4; margin: 15mm; }\n"
      "body { font: 11pt/1.35 sans-serif; color: #000; background: #fff; margin: 0; }\n"
      "h1 { font-size: 14pt; margin: 0 0 1mm; } p { margin: 0 0 4mm; }\n"
      "table { border-collapse: collapse; width: 100%; }\n"
      "th, td { border-top: 0.2mm solid #000; padding: 1.5mm 2mm; text-align: left;"
      " vertical-align: top; }\n"
      "th { width: 18mm; } td div + div { margin-top: 1mm; }\n"
      "</style></head><body>\n<h1>Gear: " +
      HtmlText(GearTitle(job)) + "</h1>\n<p>" + HtmlText(GearRules(job)) + "</p>\n<table>\n";
  for (const SheetSection& s : GearSections(head, job)) {
    out += "<tr><th scope=\"row\">" + HtmlText(s.heading) + "</th><td>";
    for (const std::string& line : s.lines) out += "<div>" + HtmlText(line) + "</div>";
    out += "</td></tr>\n";
  }
  return out + "</table>\n</body></html>\n";
}

std::string GearCommandText(const LatheProfile& profile, int teeth) {
  const std::string size = profile.stated_dp ? "--dp " + ShortestText(ToDouble(*profile.stated_dp))
                           : profile.stated_module
                               ? "--module " + ShortestText(ToDouble(*profile.stated_module))
                               : std::string("--module M");
  return "cogwright-cli gear " + std::to_string(teeth) + " " + size;
}

std::string AdviceGearText(const LatheProfile& profile, const AdviceResult& advice) {
  if (advice.best.empty()) return "";
  const int teeth = advice.best.front().teeth;
  return "\nTo cut the " + std::to_string(teeth) + " yourself: " + GearCommandText(profile, teeth) +
         (profile.stated_dp || profile.stated_module
              ? "\n"
              : " (M: the module of your gears, or --dp P)\n");
}

}  // namespace cog
