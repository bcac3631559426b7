#pragma once
// Text to number, the way the target box and the command line are read.
//
// ReadNumber never fails: it consumes the longest prefix that forms a number and
// ignores the rest; text with no number in it reads as 0.
//   - leading blanks, TABs and LFs are skipped (CR is not);
//   - decimal form: one optional sign, digits with at most one point, then an
//     optional exponent introduced by E, e, D or d (magnitude capped at 9999);
//     the first 18 significant digits are kept, later ones only move the point;
//     a first significant digit at 10^4932 or above folds to 2^127 ("1e4932"
//     does), one at 10^-4934 or below to 0; otherwise the kept digits are scaled
//     by one multiplication or division by the rounded power of ten, which is
//     infinite past 10^4932, so e.g. "1e-4933" also gives 0; "-0" is -0.0;
//   - radix form after "&": &H hex, &O / &Q / & octal, &B binary, with the
//     suffixes %, &, && and ? deciding 16-, 32- or 64-bit two's complement.
// The result is at extended precision (64-bit significand), rounded to nearest.

#include <string_view>

#include "numtext/extended.h"

namespace cog {

Extended ReadNumber(std::string_view text);

// Rounds to the nearest 32-bit float, ties to even; beyond the float range the
// result is an infinity of the value's sign. NaN stays NaN.
float NarrowToFloat(Extended value);

}  // namespace cog
