#pragma once
// Text for the benchmark summaries: figures and aligned table rows.

#include <string>
#include <vector>

namespace cog::bench {

// Locale-independent fixed-point text.
std::string Fixed(double value, int decimals);

// One row: the first cell left-aligned in its width, the others right-aligned.
void PrintRow(const std::vector<std::string>& cells, const std::vector<int>& widths);

}  // namespace cog::bench
