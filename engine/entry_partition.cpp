#include "engine/entry_partition.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "engine/fixed_arrangements.h"
#include "engine/sort_keys.h"
#include "engine/stop_masks.h"

namespace cog {
namespace {

using entry_sort::AllKeysEqual;
using entry_sort::ArrangeEqualKeys;
using entry_sort::ArrangeSmall;
using entry_sort::Exchange;
using entry_sort::KeyOf;
using entry_sort::kLastBlock;
using entry_sort::kLookUpTo;
using entry_sort::kMaskBits;
using entry_sort::kStandInsUpTo;
using entry_sort::StandIn;
using entry_sort::StopsInWindow;
using entry_sort::StopsScanningDown;
using entry_sort::StopsScanningUp;

// Where the partition loop stands: each scan goes on from its position, and
// every entry between the latest exchange and that position is known not to
// stop it.
struct ScanState {
  std::ptrdiff_t left_scan, right_scan;
  std::ptrdiff_t last_left, last_right;  // the latest exchange; lo - 1 and hi + 1 before any
};

// The partition exchanges the k-th entry from the left that is not below the
// pivot with the k-th from the right that is not above it, for as long as the
// two have not crossed. While the unscanned middle is wide, whole blocks are
// scanned on both sides and their stopping entries paired off; every such pair
// lies left of right, so each is an exchange the plain loop would make too.
template <class StopMask, int kBlock, class Element>
void ExchangeInBlocks(Element* a, std::uint32_t pivot, ScanState& s) {
  StopMask left_stops = 0;  // not yet exchanged, in the blocks last scanned
  StopMask right_stops = 0;
  std::ptrdiff_t left_base = 0;  // positions of bit 0
  std::ptrdiff_t right_base = 0;
  while (s.right_scan - s.left_scan + 1 >= 2 * kBlock) {
    if (left_stops == 0) {
      left_stops = StopsScanningUp<StopMask, kBlock>(a + s.left_scan, pivot);
      left_base = s.left_scan;
      s.left_scan += kBlock;
    }
    if (right_stops == 0) {
      right_stops = StopsScanningDown<StopMask, kBlock>(a + s.right_scan, pivot);
      right_base = s.right_scan;
      s.right_scan -= kBlock;
    }
    while (left_stops != 0 && right_stops != 0) {
      s.last_left = left_base + std::countr_zero(left_stops);
      s.last_right = right_base - std::countr_zero(right_stops);
      Exchange(a[s.last_left], a[s.last_right]);
      left_stops &= left_stops - 1;
      right_stops &= right_stops - 1;
    }
  }
  // A stop found but not yet used is where its scan goes on.
  if (left_stops != 0) s.left_scan = left_base + std::countr_zero(left_stops);
  if (right_stops != 0) s.right_scan = right_base - std::countr_zero(right_stops);
}

// The end of the partition over the unscanned window [left_scan, right_scan]
// of at most kMaskBits entries, whose stops are found at once. The upward scan stops
// inside the window or, failing that, at the first entry after it: one the
// downward scan passed (above the pivot) or the latest one exchanged (not
// below it). The same holds the other way round. Once the two would cross,
// the plain loop's final i and j follow.
template <class StopMask, class Element>
PartitionBounds FinishInWindow(Element* a, std::uint32_t pivot, const ScanState& s) {
  const std::ptrdiff_t first = s.left_scan;
  const int width = static_cast<int>(s.right_scan - s.left_scan + 1);
  StopMask up_stops = 0;  // bit k: the entry at first + k
  StopMask down_stops = 0;
  StopsInWindow(a + first, width, pivot, up_stops, down_stops);
  std::ptrdiff_t up_limit = s.right_scan + 1;
  std::ptrdiff_t down_limit = s.left_scan - 1;
  for (;;) {
    std::ptrdiff_t i = up_limit;
    if (up_stops != 0) i = std::min(i, first + std::countr_zero(up_stops));
    std::ptrdiff_t j = down_limit;
    if (down_stops != 0) j = std::max(j, first + static_cast<int>(std::bit_width(down_stops)) - 1);
    if (i == j) return {i + 1, j - 1};
    if (i > j) return {i, j};
    Exchange(a[i], a[j]);  // i and j are both stops inside the window
    up_stops &= up_stops - 1;
    down_stops &= ~(StopMask{1} << (j - first));
    up_limit = j;
    down_limit = i;
  }
}

template <class StopMask, class Element>
PartitionBounds Partition(Element* a, std::ptrdiff_t lo, std::ptrdiff_t hi) {
  constexpr int kBits = kMaskBits<StopMask>;
  constexpr int kLast = kLastBlock<StopMask>;
  static_assert(2 * kLast + 2 * (kLast - 1) <= kBits);
  const std::uint32_t pivot = KeyOf(a[lo + (hi - lo) / 2]);
  ScanState s{lo, hi, lo - 1, hi + 1};
  if (hi - lo + 1 > kBits) {
    ExchangeInBlocks<StopMask, kBits>(a, pivot, s);
    ExchangeInBlocks<StopMask, kLast>(a, pivot, s);
    // The plain loop would now test i = last_left + 1 against j = last_right - 1.
    if (s.last_left + 1 > s.last_right - 1) return {s.last_left + 1, s.last_right - 1};
  }
  return FinishInWindow<StopMask>(a, pivot, s);
}

// Entries of equal keys that fit here are put in place through it; longer
// runs are reversed in place until their halves fit.
constexpr std::ptrdiff_t kEqualRunBuffer = 1024;

template <class StopMask>
void SortThroughStandIns(RatioEntry* entries, std::ptrdiff_t n);

template <class StopMask, class Element>
void SortRange(Element* entries, std::ptrdiff_t lo, std::ptrdiff_t hi) {
  struct Range {
    std::ptrdiff_t lo, hi;
  };
  // Going on with the smaller side leaves at most log2(n) larger ones waiting.
  Range waiting[64];
  int depth = 0;
  Element equal_run[kEqualRunBuffer];
  for (;;) {
    while (lo < hi) {
      const std::ptrdiff_t n = hi - lo + 1;
      if constexpr (std::is_same_v<Element, RatioEntry>) {
        if (n <= kStandInsUpTo) {
          SortThroughStandIns<StopMask>(entries + lo, n);
          break;
        }
      }
      if (n == 2) {
        // The pivot is the first entry; the scans meet on it, or the two are
        // exchanged when the second is not above it.
        if (KeyOf(entries[hi]) <= KeyOf(entries[lo])) Exchange(entries[lo], entries[hi]);
        break;
      }
      if constexpr (std::is_same_v<Element, StandIn>) {
        if (n <= kLookUpTo) {
          ArrangeSmall(entries + lo, static_cast<int>(n));
          break;
        }
      }
      if (AllKeysEqual(entries, lo, hi)) {
        if (n <= kEqualRunBuffer) {
          ArrangeEqualKeys(entries + lo, 1, n, equal_run);
          std::memcpy(entries + lo, equal_run, static_cast<std::size_t>(n) * sizeof(Element));
          break;
        }
        std::reverse(entries + lo, entries + hi + 1);
        const std::ptrdiff_t half = n / 2;
        waiting[depth++] = {hi - half + 1, hi};
        hi = lo + half - 1;
        continue;
      }
      const PartitionBounds b = Partition<StopMask>(entries, lo, hi);
      if (b.j - lo < hi - b.i) {
        if (b.i < hi) waiting[depth++] = {b.i, hi};
        hi = b.j;
      } else {
        if (lo < b.j) waiting[depth++] = {lo, b.j};
        lo = b.i;
      }
    }
    if (depth == 0) return;
    --depth;
    lo = waiting[depth].lo;
    hi = waiting[depth].hi;
  }
}

// Sorts the stand-ins, which make the same comparisons and exchanges as
// their entries would, then puts the entries in their order.
template <class StopMask>
void SortThroughStandIns(RatioEntry* entries, std::ptrdiff_t n) {
  StandIn stand_ins[kStandInsUpTo];
  for (std::ptrdiff_t k = 0; k < n; ++k) {
    stand_ins[k] = StandIn{RatioKey(entries[k])} << 32 | static_cast<std::uint32_t>(k);
  }
  SortRange<StopMask>(stand_ins, 0, n - 1);
  RatioEntry sorted[kStandInsUpTo];
  for (std::ptrdiff_t k = 0; k < n; ++k) {
    sorted[k] = entries[static_cast<std::uint32_t>(stand_ins[k])];
  }
  std::memcpy(entries, sorted, static_cast<std::size_t>(n) * sizeof(RatioEntry));
}

}  // namespace

// A mask is a machine word: 64 bits on x86-64, 32 on i686, where wider masks
// would cost pairs of instructions.
PartitionBounds PartitionEntries(RatioEntry* entries, std::ptrdiff_t lo, std::ptrdiff_t hi) {
  return Partition<std::size_t>(entries, lo, hi);
}

void SortEntryRange(RatioEntry* entries, std::ptrdiff_t lo, std::ptrdiff_t hi) {
  SortRange<std::size_t>(entries, lo, hi);
}

void SortEntryRangeNarrow(RatioEntry* entries, std::ptrdiff_t lo, std::ptrdiff_t hi) {
  SortRange<std::uint32_t>(entries, lo, hi);
}

}  // namespace cog
