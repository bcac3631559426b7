#pragma once
// Exact comparison of two products of 64-bit magnitudes, a*b against c*d,
// without a 128-bit integer type (32-bit MinGW has none): the products are
// formed from 32-bit halves.

#include <cstdint>

namespace cog {

struct Wide {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

inline Wide MultiplyWide(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a_lo = a & 0xFFFFFFFFu, a_hi = a >> 32;
  const std::uint64_t b_lo = b & 0xFFFFFFFFu, b_hi = b >> 32;
  const std::uint64_t lo_lo = a_lo * b_lo;
  const std::uint64_t hi_lo = a_hi * b_lo;
  const std::uint64_t lo_hi = a_lo * b_hi;
  const std::uint64_t hi_hi = a_hi * b_hi;
  // The middle sum carries at most into bit 33 of the upper word.
  const std::uint64_t middle = (lo_lo >> 32) + (hi_lo & 0xFFFFFFFFu) + (lo_hi & 0xFFFFFFFFu);
  Wide w;
  w.low = (middle << 32) | (lo_lo & 0xFFFFFFFFu);
  w.high = hi_hi + (hi_lo >> 32) + (lo_hi >> 32) + (middle >> 32);
  return w;
}

// -1, 0 or 1 as a*b <, ==, > c*d.
inline int CompareProducts(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d) {
  const Wide left = MultiplyWide(a, b), right = MultiplyWide(c, d);
  if (left.high != right.high) return left.high < right.high ? -1 : 1;
  if (left.low != right.low) return left.low < right.low ? -1 : 1;
  return 0;
}

}  // namespace cog
