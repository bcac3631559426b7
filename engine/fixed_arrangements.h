#pragma once
// Ranges whose arrangement by the table quicksort is known without sorting.

#include <cstddef>
#include <cstdint>

#include "engine/sort_keys.h"

namespace cog::entry_sort {

template <class Element>
bool AllKeysEqual(const Element* a, std::ptrdiff_t lo, std::ptrdiff_t hi) {
  const std::uint32_t key = KeyOf(a[lo]);
  for (std::ptrdiff_t k = lo + 1; k <= hi; ++k) {
    if (KeyOf(a[k]) != key) return false;
  }
  return true;
}

// Among equal keys every scan stops at once, so a partition reverses the
// range and splits it in halves around the middle entry, if any: the final
// arrangement is fixed by the length alone. Writes to `out` the arrangement of
// the n entries read from `from` at the given step (+1 or -1).
template <class Element>
void ArrangeEqualKeys(const Element* from, std::ptrdiff_t step, std::ptrdiff_t n, Element* out) {
  while (n > 1) {
    from += (n - 1) * step;  // the partition reverses the range...
    step = -step;
    const std::ptrdiff_t half = n / 2;
    if (n % 2 == 1) out[half] = from[half * step];  // ...leaves its middle entry...
    ArrangeEqualKeys(from + (n - half) * step, step, half, out + (n - half));
    n = half;  // ...and sorts each half
  }
  if (n == 1) *out = *from;
}

// Ranges this short are arranged from a table: the quicksort's outcome
// depends only on which keys are below which, so it is worked out once for
// every such pattern, by the quicksort itself.
constexpr int kLookUpTo = 5;

// Puts n stand-ins (2 <= n <= kLookUpTo) in the quicksort's order.
void ArrangeSmall(StandIn* entries, int n);

}  // namespace cog::entry_sort
