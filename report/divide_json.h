#pragma once
// The dividing head's answers as JSON text, for scripts and the page. Keys
// come in the order written here.
//
// A way: {"method": "direct"|"simple"|"compound"|"differential", "turns",
//   "holes", "circle"|null, "plate"|null, then for compound indexing
//   "plate_holes", "plate_circle", "plate_move": "with"|"against", and for
//   differential indexing "approximate", "kind": "simple"|"compound",
//   "gears", "idlers", "plate_turns": "with"|"against"; last "text", the
//   sentence a machinist reads}.

#include <string>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

// {"divisions"|null, "degrees"|null, "crank_turns", "head": {"name", "ratio"},
//  "ways": [way...], "why": why there is no way, or null}.
std::string DivideJson(const DividingHead& head, const DivideAnswer& answer);

// {"head", "lines": [{"divisions", "crank_turns", "way": way|null, "why"|null}]}.
std::string DivideChartJson(const DividingHead& head, const std::vector<DivideAnswer>& lines);

// {"lead_mm", "machine_lead_mm", "trains": [{"kind", "gears", "ratio",
//  "lead_mm", "error" (a fraction), "within"}]}.
std::string HelixJson(const HelixAnswer& answer);

}  // namespace cog
