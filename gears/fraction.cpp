#include "gears/fraction.h"

#include <cstdlib>
#include <limits>
#include <numeric>

#include "gears/wide_product.h"

namespace cog {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

bool CheckedMultiply(std::int64_t a, std::int64_t b, std::int64_t* out) {
  return !__builtin_mul_overflow(a, b, out) && *out != kMin;
}

}  // namespace

bool MakeFraction(std::int64_t num, std::int64_t den, Fraction* out) {
  // INT64_MIN has no positive twin, so it is treated as out of range.
  if (den == 0 || num == kMin || den == kMin) return false;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const std::int64_t g = std::gcd(num, den);
  out->num = num / g;
  out->den = den / g;
  return true;
}

Fraction Whole(std::int64_t value) { return Fraction{value, 1}; }

bool Add(const Fraction& a, const Fraction& b, Fraction* out) {
  const std::int64_t g = std::gcd(a.den, b.den);
  std::int64_t left, right, sum, den;
  if (!CheckedMultiply(a.num, b.den / g, &left) || !CheckedMultiply(b.num, a.den / g, &right) ||
      __builtin_add_overflow(left, right, &sum) || !CheckedMultiply(a.den / g, b.den, &den))
    return false;
  return MakeFraction(sum, den, out);
}

bool Subtract(const Fraction& a, const Fraction& b, Fraction* out) {
  return Add(a, Fraction{-b.num, b.den}, out);
}

bool Multiply(const Fraction& a, const Fraction& b, Fraction* out) {
  // Cross-reducing first keeps every product whose result fits from
  // overflowing on the way. Denominators are positive, so neither gcd is 0.
  const std::int64_t g1 = std::gcd(a.num, b.den), g2 = std::gcd(b.num, a.den);
  std::int64_t num, den;
  if (!CheckedMultiply(a.num / g1, b.num / g2, &num) ||
      !CheckedMultiply(a.den / g2, b.den / g1, &den))
    return false;
  return MakeFraction(num, den, out);
}

bool Divide(const Fraction& a, const Fraction& b, Fraction* out) {
  if (b.num == 0) return false;
  Fraction inverse;
  return MakeFraction(b.den, b.num, &inverse) && Multiply(a, inverse, out);
}

int Compare(const Fraction& a, const Fraction& b) {
  const int sa = (a.num > 0) - (a.num < 0), sb = (b.num > 0) - (b.num < 0);
  if (sa != sb) return sa < sb ? -1 : 1;
  const int magnitude = CompareMagnitude(a, b);
  return sa < 0 ? -magnitude : magnitude;
}

int CompareMagnitude(const Fraction& a, const Fraction& b) {
  return CompareProducts(Magnitude(a.num), static_cast<std::uint64_t>(b.den), Magnitude(b.num),
                         static_cast<std::uint64_t>(a.den));
}

double ToDouble(const Fraction& f) {
  constexpr std::uint64_t kExact = std::uint64_t{1} << 53;
  if (Magnitude(f.num) <= kExact && static_cast<std::uint64_t>(f.den) <= kExact)
    return static_cast<double>(f.num) / static_cast<double>(f.den);
  return static_cast<double>(ToExtended(f));
}

Extended ToExtended(const Fraction& f) { return Extended(f.num) / Extended(f.den); }

std::string FractionText(const Fraction& f) {
  return std::to_string(f.num) + "/" + std::to_string(f.den);
}

}  // namespace cog
