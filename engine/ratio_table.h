#pragma once
// The sorted table of every ratio two compound gear pairs give.

#include <cstdint>

#include "engine/ratio_entry.h"
#include "engine/tooth_limits.h"
#include "numtext/zeroed_table.h"

namespace cog {

using EntryTable = ZeroedTable<RatioEntry>;

struct RatioTables {
  // One entry per ordered pair (a, b), both within the limits, sorted by a/b.
  EntryTable PairTable;
  // Every unordered choice of two pair entries (a pair with itself included),
  // plus one all-zero slot; sorted ascending, so the zero slot is index 0.
  EntryTable RatioTable;
};

// Number of slots of RatioTable for these limits: N(N+1)/2 + 1 with N = n^2 and
// n = MaxTeeth - MinTeeth + 1, which may be zero or negative.
std::int64_t RatioTableSlots(ToothLimits limits);

// Fills and sorts both tables of `tables`, which must not exist yet.
// With n = 0 PairTable cannot be created; that is silent and leaves a
// RatioTable of the zero slot alone. Any other failure to create a table is
// returned (kSubscriptOutOfRange when RatioTable would exceed 4 GiB,
// kOutOfMemory), and then no table is filled or sorted.
// Large tables are filled and sorted on every core; the worker threads are
// joined before this returns, and the result is the same byte for byte as the
// single-threaded quicksort of numtext/table_sort.h would give.
RunError BuildRatioTable(ToothLimits limits, RatioTables& tables,
                         ZeroAllocator allocate = CallocZeroAllocator);

}  // namespace cog
