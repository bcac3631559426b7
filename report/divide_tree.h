#pragma once
// The dividing head's JSON answers as trees, for the writers that add to them
// (the page's queries add what the page shows); divide_json.h dumps the same
// trees for the command-line tool.

#include <nlohmann/json.hpp>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

nlohmann::ordered_json DivideTree(const DividingHead& head, const DivideAnswer& answer);
nlohmann::ordered_json DivideChartTree(const DividingHead& head,
                                       const std::vector<DivideAnswer>& lines);
nlohmann::ordered_json HelixTree(const HelixAnswer& answer);

}  // namespace cog
