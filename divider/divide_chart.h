#pragma once
// A dividing chart: the best way for each number of divisions in a range, as
// the printed sheet on the head's side lists them.

#include <string>
#include <vector>

#include "divider/indexing.h"

namespace cog {

// The most numbers one chart holds: a few printed pages.
inline constexpr int kMaxChartLines = 1000;

// One answer per number from `from` to `to`, each with at most its best way.
// REQUIRES: the range checked (CheckChartRange). False with *error when the
// indexer refuses a number; *lines then holds the answers before it.
bool BuildDivideChart(const Indexer& indexer, int from, int to, std::vector<DivideAnswer>* lines,
                      std::string* error);

}  // namespace cog
