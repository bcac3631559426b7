#pragma once
// Extended: the type "extended precision" means in the number rules, the x87
// 80-bit format (64-bit significand, 15-bit exponent, round to nearest even).
//
// GCC on x86-64 Linux and MinGW-w64 on i686 give it as long double, and the
// hardware computes it. Where long double is something else (WebAssembly's
// binary128, ARM64 macOS's binary64) or COG_SOFT_EXTENDED is defined (to test
// the software path natively), Extended is SoftExtended, which gives the same
// bits. This is the only file that knows which; everything else says Extended
// and uses the functions below instead of <cmath>'s.

#include <cfloat>
#include <cstdint>

#if LDBL_MANT_DIG == 64 && !defined(COG_SOFT_EXTENDED)
#include <cmath>
#define COG_EXTENDED_IS_LONG_DOUBLE 1
#else
#include "numtext/soft_extended.h"
#define COG_EXTENDED_IS_LONG_DOUBLE 0
#endif

namespace cog {

// A finite non-zero value as (-1)^negative x significand x 2^exponent, with
// the significand's top bit set.
struct ExtendedParts {
  bool negative;
  int exponent;
  std::uint64_t significand;
};

#if COG_EXTENDED_IS_LONG_DOUBLE

using Extended = long double;

inline bool IsNan(Extended x) { return std::isnan(x); }
inline bool IsInf(Extended x) { return std::isinf(x); }
inline bool SignBit(Extended x) { return std::signbit(x); }
inline Extended Fabs(Extended x) { return std::fabs(x); }
inline Extended Floor(Extended x) { return std::floor(x); }
inline Extended Ldexp(Extended x, int n) { return std::ldexp(x, n); }
inline Extended ExtendedInfinity() { return HUGE_VALL; }
// pi rounded to 64 bits, the value FLDPI loads.
inline Extended ExtendedPi() { return 3.14159265358979323846264338327950288L; }
inline ExtendedParts PartsOf(Extended x) {
  int exponent = 0;
  const Extended fraction = std::frexp(std::fabs(x), &exponent);
  return {std::signbit(x), exponent - 64, static_cast<std::uint64_t>(std::ldexp(fraction, 64))};
}

#else

using Extended = SoftExtended;

inline bool SignBit(Extended x) { return x.negative(); }
inline Extended ExtendedInfinity() { return SoftExtended::FromBits(false, 0x7FFF, 1ull << 63); }
inline Extended ExtendedPi() {
  return SoftExtended::FromBits(false, 0x4000, 0xC90FDAA22168C235ull);
}
inline ExtendedParts PartsOf(Extended x) {
  const int shift = __builtin_clzll(x.significand());
  const int biased = x.biased_exponent() == 0 ? 1 : x.biased_exponent();
  return {x.negative(), biased - 16383 - 63 - shift, x.significand() << shift};
}

#endif

}  // namespace cog
