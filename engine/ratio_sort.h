#pragma once
// The table quicksort for RatioEntry tables, fast and on every core.

#include <cstddef>

#include "engine/ratio_entry.h"

namespace cog {

// Sorts entries[0..count-1] into exactly the arrangement that SortEntries
// (numtext/table_sort.h) with CompareRatio gives, byte for byte, equal ratios
// included. Uses up to `workers` threads; the result does not depend on their
// number or timing. Extra memory: a few kilobytes per thread.
// REQUIRES: every Ratio is +0 or positive (infinity allowed), never -0 or NaN.
void SortRatioEntries(RatioEntry* entries, std::size_t count, unsigned workers);

}  // namespace cog
