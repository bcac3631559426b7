#pragma once
// Decimal and fraction texts to exact fractions: "1.5", "-0.25", "127/5",
// "25.4/16", "1e-3", and the texts of JSON numbers.
//
// The whole text must be the number (no blanks, no unit). Each side of "/" is a
// decimal: an optional sign, digits with at most one point (at least one digit),
// then an optional exponent E or e with an optional sign and at most 4 digits.
// At most 18 significant digits (from the first to the last non-zero digit),
// so every accepted decimal is exact in 64 bits unless it is too large or too
// small, which is refused. Nothing is ever rounded.

#include <string>
#include <string_view>

#include "gears/fraction.h"

namespace cog {

// True and *out set, or false with *error saying why (it quotes the text).
[[nodiscard]] bool ReadFraction(std::string_view text, Fraction* out, std::string* error);

// A ratio: any text ReadFraction takes, or "a:b" read as a / b ("6:35").
[[nodiscard]] bool ReadRatio(std::string_view text, Fraction* out, std::string* error);

// Shortest decimal text of a double that reads back to the same double
// ("0.1", "-1.5e-07"): how the workshop prints figures that are not exact.
std::string ShortestText(double value);

// value with exactly `decimals` digits after the point, rounded from its exact
// binary value to nearest, ties to even ("-0.250" for -0.25 at 3); no minus
// sign when every digit shown is 0. REQUIRES: value is finite.
std::string FixedText(double value, int decimals);

}  // namespace cog
