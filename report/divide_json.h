#pragma once
// The dividing head's answers as JSON text, for scripts and the page. Keys
// come in the order written here.
//
// A way: {"method": "direct"|"simple"|"compound"|"differential", "turns",
//   "holes", "circle"|null, "plate"|null, then for compound indexing
//   "plate_holes", "plate_circle", "plate_move": "with"|"against", and for
//   differential indexing "approximate" (null for an angle, then
//   "approximate_deg": the angle indexed as, "p/q"), "kind": "simple"|"compound",
//   "gears", "idlers", "plate_turns": "with"|"against"; "dial": true when
//   the move is read on a handwheel's dial; last "text", the sentence a
//   machinist reads}.

#include <string>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

// {"divisions"|null, "degrees"|null, "crank_turns", "head": {"name", "ratio"},
//  "ways": [way...] (exact ways only), "nearest": [way...] (when no way is
//  exact, nearest first: each way's fields, then "crank_turns" "p/q" the
//  move's turns, "error_deg" per division, signed, move minus exact,
//  "closing_deg" N times that or null for an angle, "error_mm" at the
//  work's diameter when given, and "text"), "why": why there is no way, or
//  null}.
std::string DivideJson(const DividingHead& head, const DivideAnswer& answer);

// {"head", "lines": [{"divisions", "crank_turns", "way": way|null, "why"|null}]}.
std::string DivideChartJson(const DividingHead& head, const std::vector<DivideAnswer>& lines);

// {"lead_mm", "machine_lead_mm", "helix_angle_deg"|null, "hand":
//  "right"|"left", "swivel_deg"|null (both null when only a lead is given
//  without a diameter), "trains": [{"kind", "gears", "ratio", "lead_mm",
//  "error" (a fraction), "within", "idlers"}]}.
std::string HelixJson(const HelixAnswer& answer);

}  // namespace cog
