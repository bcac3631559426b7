#pragma once
// Exact conversions between extended-precision binary values and decimal,
// done with integer arithmetic so no library rounding gets in between.

#include <string>

#include "numtext/extended.h"

namespace cog {

// value = 0.d1 d2 d3 ... x 10^point, with d1 != 0. Zero has no digits and point 0.
struct DecimalExpansion {
  std::string digits;
  int point = 0;
};

// Every decimal digit of |value|, without trailing zeros; the sign is ignored.
// REQUIRES: value is finite. Denormals work, but give ~11,000 digits.
DecimalExpansion ExactDecimal(Extended value);

// 10^exponent rounded once to the nearest extended value (ties to even);
// +infinity past the extended range (exponent > 4932).
// REQUIRES: exponent >= 0.
Extended PowerOfTen(int exponent);

}  // namespace cog
