#pragma once
// Branch-free block scans for the exact partition of RatioEntry tables.

#include <cstdint>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/sort_keys.h"

namespace cog::entry_sort {

// Block scans record which entries of a block stop a scan as bits of a mask
// (StopMask, an unsigned integer), bit k for the k-th entry in scan order.
// Branch-free, so a poorly predictable key order costs nothing.
template <class StopMask>
constexpr int kMaskBits = std::numeric_limits<StopMask>::digits;

// Blocks this short finish the scanning. They leave fewer than 2 * kLastBlock
// entries unscanned and at most kLastBlock - 1 found stops on each side
// unused, a window that still fits in one mask.
template <class StopMask>
constexpr int kLastBlock = kMaskBits<StopMask> / 4;

#if defined(__SSE2__)
// Four stand-ins at a time: their keys (the high halves) side by side, in
// scan order, compared as signed numbers once the sign bits are flipped.
// Returns 4 bits: key >= pivot (`up`) or key <= pivot (downward).
inline unsigned FourStops(const StandIn* lowest, __m128i flipped_pivot, bool up) {
  const __m128 low = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lowest)));
  const __m128 high =
      _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lowest + 2)));
  const __m128i sign = _mm_set1_epi32(static_cast<int>(0x80000000u));
  if (up) {
    const __m128i keys =
        _mm_xor_si128(_mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1))), sign);
    return static_cast<unsigned>(
               _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(flipped_pivot, keys)))) ^
           0xFu;
  }
  // Highest position first, as the downward scan meets them.
  const __m128i keys =
      _mm_xor_si128(_mm_castps_si128(_mm_shuffle_ps(high, low, _MM_SHUFFLE(1, 3, 1, 3))), sign);
  return static_cast<unsigned>(
             _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(keys, flipped_pivot)))) ^
         0xFu;
}

inline __m128i FlippedPivot(std::uint32_t pivot) {
  return _mm_set1_epi32(static_cast<int>(pivot ^ 0x80000000u));
}
#endif

template <class StopMask, int kBlock, class Element>
StopMask StopsScanningUp(const Element* from, std::uint32_t pivot) {
  static_assert(kBlock <= kMaskBits<StopMask>);
  StopMask stops = 0;
#if defined(__SSE2__)
  if constexpr (std::is_same_v<Element, StandIn> && kBlock % 4 == 0) {
    const __m128i p = FlippedPivot(pivot);
    for (int k = 0; k < kBlock; k += 4) {
      stops |= static_cast<StopMask>(FourStops(from + k, p, true)) << k;
    }
    return stops;
  }
#endif
#pragma GCC unroll 64
  for (int k = 0; k < kBlock; ++k) {
    stops |= static_cast<StopMask>(KeyOf(from[k]) >= pivot) << k;
  }
  return stops;
}

template <class StopMask, int kBlock, class Element>
StopMask StopsScanningDown(const Element* from, std::uint32_t pivot) {
  StopMask stops = 0;
#if defined(__SSE2__)
  if constexpr (std::is_same_v<Element, StandIn> && kBlock % 4 == 0) {
    const __m128i p = FlippedPivot(pivot);
    for (int k = 0; k < kBlock; k += 4) {
      stops |= static_cast<StopMask>(FourStops(from - k - 3, p, false)) << k;
    }
    return stops;
  }
#endif
#pragma GCC unroll 64
  for (int k = 0; k < kBlock; ++k) {
    stops |= static_cast<StopMask>(KeyOf(from[-k]) <= pivot) << k;
  }
  return stops;
}

// Both scans' stops among `width` entries at once, bit k for from[k] in
// either mask. REQUIRES: width <= kMaskBits<StopMask>.
template <class StopMask, class Element>
void StopsInWindow(const Element* from, int width, std::uint32_t pivot, StopMask& up_stops,
                   StopMask& down_stops) {
  int k = 0;
#if defined(__SSE2__)
  if constexpr (std::is_same_v<Element, StandIn>) {
    const __m128i p = FlippedPivot(pivot);
    for (; k + 4 <= width; k += 4) {
      up_stops |= static_cast<StopMask>(FourStops(from + k, p, true)) << k;
      // Taken from the top end of the four, so bit 0 belongs to the highest.
      const unsigned down = FourStops(from + k, p, false);
      const unsigned in_order =
          ((down & 1u) << 3) | ((down & 2u) << 1) | ((down & 4u) >> 1) | ((down & 8u) >> 3);
      down_stops |= static_cast<StopMask>(in_order) << k;
    }
  }
#endif
  for (; k < width; ++k) {
    const std::uint32_t key = KeyOf(from[k]);
    up_stops |= static_cast<StopMask>(key >= pivot) << k;
    down_stops |= static_cast<StopMask>(key <= pivot) << k;
  }
}

}  // namespace cog::entry_sort
