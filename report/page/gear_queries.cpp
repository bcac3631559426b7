#include "report/page/gear_queries.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <numbers>
#include <optional>

#include "divider/head.h"
#include "gearcut/gear_job.h"
#include "gearcut/gear_question.h"
#include "report/gear_sheet.h"
#include "report/results_tree.h"

namespace cog {
namespace {

using ordered = nlohmann::ordered_json;

std::optional<std::string> Given(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return text;
}

// Points along one flank of the space, from the root circle to the tip, and
// the space's half-angle at each: the involute above the base circle, a
// radial line below it (the cutter's fillet is not drawn). The space is the
// one the form cutter is shaped to: that of the virtual spur gear in the
// normal section, which for a spur gear is the gear itself.
struct Flank {
  std::vector<double> radius, half_angle;
};

Flank SpaceFlank(const GearAsked& asked, const GearFigures& f) {
  constexpr double kPi = std::numbers::pi;
  const double m = asked.module_mm, alpha = asked.pressure_deg * kPi / 180;
  const double z = f.virtual_teeth, r = z * m / 2, rb = r * std::cos(alpha);
  const double ra = r + (f.tip_mm - f.pitch_mm) / 2, rf = r - (f.pitch_mm - f.root_mm) / 2;
  // The tooth's half-angle at the pitch circle, from its arc thickness
  // m(π/2 + 2x tan α); the space is what is left of the angular pitch.
  const double tooth = m * (kPi / 2 + 2 * asked.shift * std::tan(alpha)) / (2 * r);
  const auto half = [&](double radius) {
    const double at = std::acos(rb / std::max(radius, rb));
    return kPi / z - tooth - Involute(alpha) + Involute(at);
  };
  Flank flank;
  constexpr int kSteps = 32;
  for (int i = 0; i <= kSteps; ++i) {
    const double radius = rf + (ra - rf) * i / kSteps;
    flank.radius.push_back(radius);
    flank.half_angle.push_back(half(radius));
  }
  return flank;
}

// The outline of the space, the gear's centre at the origin and the space
// centred on the +y axis, in mm: down the left flank, across the root, up
// the right one; and the circles and labels the page marks on it.
ordered Drawing(const GearJob& job) {
  const GearFigures& f = job.figures;
  const Flank flank = SpaceFlank(job.asked, f);
  ordered points = ordered::array();
  const auto at = [&](double radius, double angle) {
    points.push_back({radius * std::sin(angle), radius * std::cos(angle)});
  };
  for (size_t i = flank.radius.size(); i-- > 0;) at(flank.radius[i], -flank.half_angle[i]);
  constexpr int kRootSteps = 8;
  for (int i = 1; i < kRootSteps; ++i)
    at(flank.radius.front(), flank.half_angle.front() * (2.0 * i / kRootSteps - 1));
  for (size_t i = 0; i < flank.radius.size(); ++i) at(flank.radius[i], flank.half_angle[i]);
  const double r = f.virtual_teeth * job.asked.module_mm / 2;
  // The cutter's number in the set the gear's size is measured in first.
  std::string cutter = "no cutter of the set";
  if (f.cutter) {
    const std::string dp = "No. " + std::to_string(f.cutter->dp_number) + " DP";
    const std::string module = "No. " + std::to_string(f.cutter->module_number) + " module";
    cutter = InchRack(job.asked) ? dp + " / " + module : module + " / " + dp;
  }
  return {{"outline", std::move(points)},
          {"tip_radius", flank.radius.back()},
          {"pitch_radius", r},
          {"root_radius", flank.radius.front()},
          {"cutter", cutter},
          {"depth", "depth " + GearLength(job, f.whole_depth_mm)},
          {"caption", CutterText(job)}};
}

}  // namespace

std::string GearQuery(const std::string& head_json, const GearForm& form) {
  GearTexts texts;
  texts.teeth = form.teeth;
  if (!form.size.empty()) {
    if (form.system == "dp")
      texts.dp = form.size;
    else if (form.system == "cp")
      texts.cp = form.size;
    else
      texts.module = form.size;
  }
  texts.pressure_angle = Given(form.pressure_angle);
  texts.helix = Given(form.helix);
  texts.shift = Given(form.shift);
  texts.pin = Given(form.pin);
  GearAsked asked;
  Status input;
  if (!ReadGearTexts(texts, &asked, &input)) return ErrorJson(input.input(), input.why());
  DividingHead head;
  if (const Status read = ReadHead(head_json, &head); !read.ok())
    return ErrorJson(read.input().empty() ? "head" : read.input(), read.why());
  std::string error;
  GearJob job;
  // As the tool says it: a job that cannot be had with a pin given is the
  // pin's fault (it touches no flank), else the head's (Z beyond its reach).
  if (!MakeGearJob(asked, head, &job, &error))
    return ErrorJson(asked.pin_mm ? "pin" : "head", error);
  ordered answer = ordered::parse(GearJson(head, job));
  answer["view"] = {{"title", GearTitle(job)},
                    {"text", GearText(head, job)},
                    {"html", GearHtml(head, job)},
                    {"drawing", Drawing(job)}};
  return Dump(answer);
}

}  // namespace cog
