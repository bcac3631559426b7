#pragma once
// Tests state their expected values as x87 long doubles, which the native
// x86 builds compute in hardware. These move values between long double and
// Extended bit for bit, so the same tests check the software type when a
// build uses it (COG_SOFT_EXTENDED). x86 only, as the tests are.

#include <cstring>

#include "numtext/extended.h"

namespace cog::testing {

static_assert(LDBL_MANT_DIG == 64, "the tests' reference values are x87 long doubles");

inline Extended FromLongDouble(long double x) {
#if COG_EXTENDED_IS_LONG_DOUBLE
  return x;
#else
  std::uint64_t significand;
  std::uint16_t sign_exponent;
  std::memcpy(&significand, &x, 8);
  std::memcpy(&sign_exponent, reinterpret_cast<const char*>(&x) + 8, 2);
  return SoftExtended::FromBits((sign_exponent & 0x8000) != 0, sign_exponent & 0x7FFF, significand);
#endif
}

inline long double ToLongDouble(Extended x) {
#if COG_EXTENDED_IS_LONG_DOUBLE
  return x;
#else
  long double h = 0;
  const std::uint64_t significand = x.significand();
  const auto sign_exponent =
      static_cast<std::uint16_t>((x.negative() ? 0x8000 : 0) | x.biased_exponent());
  std::memcpy(&h, &significand, 8);
  std::memcpy(reinterpret_cast<char*>(&h) + 8, &sign_exponent, 2);
  return h;
#endif
}

}  // namespace cog::testing
