#pragma once
// The x87 80-bit extended format in software, for compilers whose long double
// is something else (WebAssembly: binary128; ARM64 macOS: binary64). Every
// operation gives the bit pattern the x87 unit gives at 64-bit precision
// control, rounding to nearest, ties to even:
//   - 64-bit significand with an explicit integer bit, 15-bit exponent (bias
//     16383), gradual underflow to denormals, infinities;
//   - NaN as x87 makes it: an invalid operation gives the default NaN (sign
//     set, significand 0xC000000000000000); a NaN operand comes back quieted,
//     and of two NaNs the one with the larger significand (the first on a tie).
// Only the operations the number rules use are here. A value never holds an
// encoding the x87 calls invalid (an unnormal or pseudo-NaN). The arithmetic
// uses unsigned __int128 (64-bit targets and WebAssembly have it).

#include <cstdint>

namespace cog {

class SoftExtended {
 public:
  constexpr SoftExtended() = default;
  SoftExtended(std::int64_t value);   // NOLINT: exact, as long double's conversion is
  SoftExtended(std::uint64_t value);  // NOLINT
  SoftExtended(int value) : SoftExtended(static_cast<std::int64_t>(value)) {}        // NOLINT
  SoftExtended(unsigned value) : SoftExtended(static_cast<std::uint64_t>(value)) {}  // NOLINT
  SoftExtended(double value);                                              // NOLINT: exact
  SoftExtended(float value) : SoftExtended(static_cast<double>(value)) {}  // NOLINT: exact

  static constexpr SoftExtended FromBits(bool negative, std::uint16_t biased_exponent,
                                         std::uint64_t significand) {
    SoftExtended x;
    x.sign_exponent_ = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biased_exponent);
    x.significand_ = significand;
    return x;
  }

  bool negative() const { return (sign_exponent_ & 0x8000) != 0; }
  std::uint16_t biased_exponent() const { return sign_exponent_ & 0x7FFF; }
  std::uint64_t significand() const { return significand_; }

  // Rounded to nearest, ties to even; beyond the range an infinity.
  explicit operator double() const;
  explicit operator float() const;
  // Truncated toward zero; NaN and values outside the range give INT64_MIN
  // (the x87 "integer indefinite").
  explicit operator std::int64_t() const;

  friend SoftExtended operator+(SoftExtended a, SoftExtended b);
  friend SoftExtended operator-(SoftExtended a, SoftExtended b);
  friend SoftExtended operator*(SoftExtended a, SoftExtended b);
  friend SoftExtended operator/(SoftExtended a, SoftExtended b);
  friend SoftExtended operator-(SoftExtended a) {
    a.sign_exponent_ ^= 0x8000;
    return a;
  }
  SoftExtended& operator+=(SoftExtended b) { return *this = *this + b; }
  SoftExtended& operator-=(SoftExtended b) { return *this = *this - b; }
  SoftExtended& operator*=(SoftExtended b) { return *this = *this * b; }
  SoftExtended& operator/=(SoftExtended b) { return *this = *this / b; }

  // IEEE comparisons: NaN is unordered, -0 equals +0.
  friend bool operator==(SoftExtended a, SoftExtended b);
  friend bool operator!=(SoftExtended a, SoftExtended b) { return !(a == b); }
  friend bool operator<(SoftExtended a, SoftExtended b);
  friend bool operator>(SoftExtended a, SoftExtended b) { return b < a; }
  friend bool operator<=(SoftExtended a, SoftExtended b) { return a < b || a == b; }
  friend bool operator>=(SoftExtended a, SoftExtended b) { return b <= a; }

 private:
  std::uint64_t significand_ = 0;
  std::uint16_t sign_exponent_ = 0;
};

bool IsNan(SoftExtended x);
bool IsInf(SoftExtended x);
SoftExtended Fabs(SoftExtended x);
// The largest whole value not above x (x itself for NaN, infinities, zeros).
SoftExtended Floor(SoftExtended x);
// x * 2^n, rounded once.
SoftExtended Ldexp(SoftExtended x, int n);

}  // namespace cog
