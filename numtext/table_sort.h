#pragma once
// The one sort that orders the ratio tables.
//
// Many entries share a ratio, and the order in which they come out is what the
// user sees when stepping through them, so the algorithm is fixed exactly: a
// quicksort with the middle element as pivot and an exchanging partition. Equal
// keys stop both scans and are exchanged pairwise, so the sort is not stable,
// but it is deterministic. Do not replace it with std::sort or any other sort,
// and keep every step below as it is: the arrangement of equal keys depends on
// each of them.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "numtext/run_error.h"
#include "numtext/zeroed_table.h"

namespace cog {

// compare(a, b) < 0 puts a before b. In the upward scan it is called as
// compare(element, pivot), in the downward scan as compare(pivot, element).
template <class Record>
using RecordCompare = int (*)(const Record&, const Record&);

// Sorts records[lo..hi] in place. The range after each partition is sorted
// recursively on its smaller side and iteratively on its larger side, which
// bounds the stack to log2(n) levels; the two sides are disjoint, so the order
// of processing does not change the result.
template <class Record>
void PartitionRange(Record* records, std::int64_t lo, std::int64_t hi,
                    RecordCompare<Record> compare) {
  while (lo < hi) {
    std::int64_t i = lo;
    std::int64_t j = hi;
    const Record pivot = records[lo + (hi - lo) / 2];  // a copy: exchanges may move the original
    while (i <= j) {
      while (compare(records[i], pivot) < 0 && i < hi) ++i;
      while (compare(pivot, records[j]) < 0 && j > lo) --j;
      if (i <= j) {
        if (i != j) std::swap(records[i], records[j]);
        ++i;
        --j;
      }
    }
    if (j - lo < hi - i) {
      if (lo < j) PartitionRange(records, lo, j, compare);
      lo = i;
    } else {
      if (i < hi) PartitionRange(records, i, hi, compare);
      hi = j;
    }
  }
}

// Sorts the whole table ascending. A table that was never created cannot be
// sorted: kIllegalFunctionCall, and nothing changes.
template <class Record>
RunError SortEntries(ZeroedTable<Record>& table, RecordCompare<Record> compare) {
  if (!table.created()) return RunError::kIllegalFunctionCall;
  PartitionRange(table.data(), 0, table.TopIndex(), compare);
  return RunError::kNone;
}

}  // namespace cog
