#pragma once
// The dividing head's answers, charts and helical trains as text for people,
// as `cogwright-cli divide` and `helix` print them.

#include <string>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

// The caption, then the ways a numbered line each, or why there is none.
std::string DivideText(const DividingHead& head, const DivideAnswer& answer);

// Why no way is exact, then the nearest ways a line each ("~1. ..."), as
// DivideText ends; empty when a way is exact.
std::string NoWayNearestText(const DividingHead& head, const DivideAnswer& answer);

// The title, the head's plates and gears, the legend, then a line per number.
std::string DivideChartText(const DividingHead& head, const std::vector<DivideAnswer>& lines);

// The caption wrapped, then the trains in columns, or why there is none
// (`keep_all`: the trains beyond the tolerance were asked for).
std::string HelixText(const DividingHead& head, const HelixAnswer& answer, bool keep_all);

}  // namespace cog
