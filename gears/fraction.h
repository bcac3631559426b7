#pragma once
// Exact fractions for the workshop: tooth counts, ratios, decimal texts and
// lengths (25.4 mm is 127/5), with every overflow detected instead of wrapped.
//
// A Fraction is always reduced, with a positive denominator; zero is 0/1. The
// arithmetic never wraps: it returns false when the result, or for Add and
// Subtract a cross product on the way to it, leaves the int64 range, so
// callers can refuse the query with a message rather than print a wrong
// answer. Products and quotients are refused only when the result itself does
// not fit.

#include <cstdint>
#include <string>

#include "numtext/extended.h"

namespace cog {

struct Fraction {
  std::int64_t num = 0;
  std::int64_t den = 1;

  friend bool operator==(const Fraction&, const Fraction&) = default;
};

// num/den reduced; false when den is 0 or the result does not fit.
[[nodiscard]] bool MakeFraction(std::int64_t num, std::int64_t den, Fraction* out);
Fraction Whole(std::int64_t value);

[[nodiscard]] bool Add(const Fraction& a, const Fraction& b, Fraction* out);
[[nodiscard]] bool Subtract(const Fraction& a, const Fraction& b, Fraction* out);
[[nodiscard]] bool Multiply(const Fraction& a, const Fraction& b, Fraction* out);
// False also when b is zero.
[[nodiscard]] bool Divide(const Fraction& a, const Fraction& b, Fraction* out);

// -1, 0 or 1 as a < b, a == b, a > b; exact for every pair of fractions.
int Compare(const Fraction& a, const Fraction& b);
// Compares |a| with |b|, exactly.
int CompareMagnitude(const Fraction& a, const Fraction& b);

inline bool IsPositive(const Fraction& f) { return f.num > 0; }

// Nearest double (correctly rounded when both parts are below 2^53, which
// covers every fraction a gear train produces; otherwise within one unit in the
// last place).
double ToDouble(const Fraction& f);
// At extended precision: num and den are exact there, so one rounding.
Extended ToExtended(const Fraction& f);

// "p/q", always with the slash: 2 is "2/1".
std::string FractionText(const Fraction& f);

}  // namespace cog
