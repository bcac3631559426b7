#include "divider/divide_chart.h"

namespace cog {

bool BuildDivideChart(const Indexer& indexer, int from, int to, std::vector<DivideAnswer>* lines,
                      std::string* error) {
  lines->clear();
  for (int n = from; n <= to; ++n)
    if (!indexer.WaysForDivisions(n, 1, &lines->emplace_back(), error)) return false;
  return true;
}

}  // namespace cog
