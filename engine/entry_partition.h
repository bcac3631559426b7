#pragma once
// One partitioning step of the table quicksort, made for RatioEntry tables.

#include <cstddef>
#include <cstdint>

#include "engine/ratio_entry.h"

namespace cog {

struct PartitionBounds {
  std::ptrdiff_t i;  // the upper range starts here
  std::ptrdiff_t j;  // the lower range ends here
};

// Partitions entries[lo..hi] around a copy of its middle element exactly as
// one step of PartitionRange (numtext/table_sort.h) with CompareRatio does:
// the same exchanges, in effect, and the same final i and j, so the ranges
// [lo, j] and [i, hi] are left exactly as that step leaves them.
// REQUIRES: lo < hi; every Ratio in the range is +0 or positive, never NaN.
PartitionBounds PartitionEntries(RatioEntry* entries, std::ptrdiff_t lo, std::ptrdiff_t hi);

// Sorts entries[lo..hi] into exactly the arrangement PartitionRange gives,
// on the calling thread. REQUIRES: as above, lo <= hi + 1.
void SortEntryRange(RatioEntry* entries, std::ptrdiff_t lo, std::ptrdiff_t hi);

// The same with the 32-bit scan masks of a 32-bit build, so that a 64-bit
// build can test that code path too.
void SortEntryRangeNarrow(RatioEntry* entries, std::ptrdiff_t lo, std::ptrdiff_t hi);

}  // namespace cog
