#pragma once
// The dividing head's answers, charts and helical trains as CSV: one header
// line, then a line per way, chart line or train. Every field is a figure or
// a word of this writer's own, so none needs quoting.

#include <string>
#include <vector>

#include "divider/indexing.h"

namespace cog {

// rank, then the way's columns (method, the crank's move, the plate's move
// for compound indexing, the train for differential indexing).
std::string DivideCsv(const DivideAnswer& answer);

// divisions, crank_turns, then the best way's columns (empty without one).
std::string DivideChartCsv(const std::vector<DivideAnswer>& lines);

// rank, kind, gears, ratio, lead_mm, error_fraction, within.
std::string HelixCsv(const HelixAnswer& answer);

}  // namespace cog
