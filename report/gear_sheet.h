#pragma once
// Every text of a gear's job: the job sheet a machinist follows top to
// bottom (blank, cutter, depth, index, helix, checks), its JSON, CSV and the
// printable page. The command-line tool prints these and the page shows
// them, byte for byte the same.
//
// JSON (one object): teeth, system ("module", "dp" or "cp"), module_mm,
// pressure_angle_deg, helix_angle_deg (0 for spur), hand ("right", "left" or
// null), shift, pitch_diameter_mm, base_diameter_mm, tip_diameter_mm,
// root_diameter_mm, whole_depth_mm, virtual_teeth, cutter ({dp_number,
// module_number, from, to}, to null for the rack end; or null) and cutter_why
// (why there is none, or null), span ({teeth, mm}), chordal ({thickness_mm,
// height_mm}), over_pins ({pin_mm, mm}, null for a helical gear), lead_mm
// (null for spur), index (the first way of `divide Z`'s answer, or null when
// no way is exact), helix_train (the first train of `helix LEAD --all`, or
// null). Figures in mm are rounded to 0.000001 mm.

#include <string>
#include <vector>

#include "divider/head.h"
#include "gearcut/gear_job.h"
#include "lathe/profile.h"
#include "lathe/thread_chart.h"

namespace cog {

// "40 teeth, module 2, 20° pressure angle, spur": the gear in one line.
std::string GearTitle(const GearJob& job);

// "4.500 mm", and for an inch gear "2.740 mm (0.1079 in)": a length as the
// sheet gives it.
std::string GearLength(const GearJob& job, double mm);

// The rules the figures follow, once.
std::string GearRules(const GearJob& job);

// "cutter for 55 to 134 teeth: No. 2 of a DP set, No. 7 of a module set", or
// why no cutter of the set fits.
std::string CutterText(const GearJob& job);

// The sheet's sections in order, each a heading ("Blank", "Cutter", "Depth",
// "Index", "Helix", "Checks") and its lines.
struct SheetSection {
  std::string heading;
  std::vector<std::string> lines;
};
std::vector<SheetSection> GearSections(const DividingHead& head, const GearJob& job);

std::string GearText(const DividingHead& head, const GearJob& job);
std::string GearJson(const DividingHead& head, const GearJob& job);
std::string GearCsv(const DividingHead& head, const GearJob& job);
// One A4 page.
std::string GearHtml(const DividingHead& head, const GearJob& job);

// "cogwright-cli gear 127 --dp 20": the command that makes a gear of `teeth`
// for the lathe's set, with the module or DP the profile states (else
// "--module M").
std::string GearCommandText(const LatheProfile& profile, int teeth);

// The line under gear advice that names the command making its first gear,
// or "" when no gear is recommended.
std::string AdviceGearText(const LatheProfile& profile, const AdviceResult& advice);

}  // namespace cog
