#include "numtext/soft_extended.h"

#include <cstring>
#include <utility>

namespace cog {
namespace {

using U128 = unsigned __int128;

constexpr int kBias = 16383;
constexpr int kMaxBiased = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;

int LeadingZeros64(std::uint64_t x) { return x == 0 ? 64 : __builtin_clzll(x); }

int LeadingZeros128(U128 x) {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  return high != 0 ? LeadingZeros64(high) : 64 + LeadingZeros64(static_cast<std::uint64_t>(x));
}

// x >> n with every bit shifted out folded into bit 0, so rounding still sees it.
U128 ShiftRightSticky(U128 x, int n) {
  if (n <= 0) return x;
  if (n >= 128) return x != 0;
  return (x >> n) | ((x << (128 - n)) != 0);
}

// A finite non-zero value as sign x significand x 2^(exponent - 63), the
// significand's top bit set; denormals come out with exponents below -16382.
struct Unpacked {
  bool negative;
  int exponent;
  std::uint64_t significand;
};

enum class Kind { kZero, kFinite, kInfinity, kNan };

Kind KindOf(SoftExtended x) {
  const int e = x.biased_exponent();
  if (e == kMaxBiased) return (x.significand() << 1) == 0 ? Kind::kInfinity : Kind::kNan;
  return x.significand() == 0 ? Kind::kZero : Kind::kFinite;
}

Unpacked Unpack(SoftExtended x) {
  const int shift = LeadingZeros64(x.significand());
  const int e = x.biased_exponent() == 0 ? 1 : x.biased_exponent();
  return {x.negative(), e - kBias - shift, x.significand() << shift};
}

SoftExtended Zero(bool negative) { return SoftExtended::FromBits(negative, 0, 0); }
SoftExtended Infinity(bool negative) {
  return SoftExtended::FromBits(negative, kMaxBiased, kIntegerBit);
}
SoftExtended DefaultNan() {
  return SoftExtended::FromBits(true, kMaxBiased, kIntegerBit | kQuietBit);
}

SoftExtended Quiet(SoftExtended x) {
  return SoftExtended::FromBits(x.negative(), kMaxBiased, x.significand() | kQuietBit);
}

// The x87 rule for NaN operands: the larger significand wins, quieted.
SoftExtended PropagateNan(SoftExtended a, SoftExtended b) {
  const bool a_nan = KindOf(a) == Kind::kNan, b_nan = KindOf(b) == Kind::kNan;
  if (a_nan && b_nan) {
    const std::uint64_t ma = a.significand() | kQuietBit, mb = b.significand() | kQuietBit;
    if (ma != mb) return Quiet(ma > mb ? a : b);
    return Quiet(a.negative() && !b.negative() ? b : a);
  }
  return Quiet(a_nan ? a : b);
}

// Rounds sign x significand x 2^(exponent - 127) (significand's top bit at
// 127, or zero) to `precision` bits in a format whose smallest normal
// exponent is `min_exponent` and largest `max_exponent`, to nearest, ties to
// even. Returns the rounded significand (top bit at precision - 1, fewer for
// denormals) and sets *exponent to the result's exponent for a normal
// (significand x 2^(exponent - precision + 1)); *overflow on overflow.
struct Rounded {
  std::uint64_t significand;
  int exponent;  // of the leading bit; min_exponent - 1 marks a denormal or zero
  bool overflow;
};

Rounded Round(U128 significand, int exponent, int precision, int min_exponent, int max_exponent) {
  Rounded r{0, min_exponent - 1, false};
  if (significand == 0) return r;
  // Denormal: the bits below min_exponent - precision + 1 are lost.
  int drop = 128 - precision;
  if (exponent < min_exponent) drop += min_exponent - exponent;
  const U128 kept = drop >= 128 ? 0 : significand >> drop;
  const U128 rest = drop >= 128 ? significand : significand - (kept << drop);
  const U128 half = drop > 128 ? 0 : U128{1} << (drop - 1);
  std::uint64_t m = static_cast<std::uint64_t>(kept);
  bool up;
  if (drop > 128) {
    up = false;
  } else {
    up = rest > half || (rest == half && (m & 1) != 0);
  }
  m += up;
  int e = exponent < min_exponent ? min_exponent : exponent;
  if (precision < 64 ? (m >> precision) != 0 : (up && m == 0)) {
    // Carried out of the top: one bit more, and the exponent one higher.
    m = precision < 64 ? m >> 1 : kIntegerBit;
    ++e;
  }
  const bool normal = precision < 64 ? (m >> (precision - 1)) != 0 : (m & kIntegerBit) != 0;
  if (!normal) e = min_exponent - 1;
  if (e > max_exponent) r.overflow = true;
  r.significand = m;
  r.exponent = e;
  return r;
}

// Packs a finite result: significand's top bit at 127, value x 2^(exponent - 127).
SoftExtended Pack(bool negative, int exponent, U128 significand) {
  if (significand == 0) return Zero(negative);
  const int shift = LeadingZeros128(significand);
  const Rounded r =
      Round(significand << shift, exponent - shift, 64, 1 - kBias, kMaxBiased - 1 - kBias);
  if (r.overflow) return Infinity(negative);
  const int biased = r.exponent < 1 - kBias ? 0 : r.exponent + kBias;
  return SoftExtended::FromBits(negative, static_cast<std::uint16_t>(biased), r.significand);
}

// a + b for finite non-zero values, rounded once. The significands sit one
// bit below the top of 128 bits, so a sum cannot carry out, and the 63 bits
// below each with a sticky bit keep the rounding of a difference exact.
SoftExtended AddFinite(Unpacked a, Unpacked b) {
  if (a.exponent < b.exponent || (a.exponent == b.exponent && a.significand < b.significand))
    std::swap(a, b);
  const U128 big = U128{a.significand} << 63;
  const U128 small = ShiftRightSticky(U128{b.significand} << 63, a.exponent - b.exponent);
  const U128 sum = a.negative == b.negative ? big + small : big - small;
  if (sum == 0) return Zero(false);  // an exact zero difference is +0 when rounding to nearest
  return Pack(a.negative, a.exponent + 1, sum);
}

SoftExtended Add(SoftExtended a, SoftExtended b, bool subtract) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  const bool b_negative = b.negative() != subtract;
  if (ka == Kind::kNan || kb == Kind::kNan) return PropagateNan(a, b);
  if (ka == Kind::kInfinity || kb == Kind::kInfinity) {
    if (ka == Kind::kInfinity && kb == Kind::kInfinity && a.negative() != b_negative)
      return DefaultNan();
    return ka == Kind::kInfinity ? a : Infinity(b_negative);
  }
  if (kb == Kind::kZero) {
    if (ka == Kind::kZero) return Zero(a.negative() && b_negative);
    return a;
  }
  if (ka == Kind::kZero) return b_negative == b.negative() ? b : -b;
  Unpacked ub = Unpack(b);
  ub.negative = b_negative;
  return AddFinite(Unpack(a), ub);
}

std::uint64_t DoubleBits(double d) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

double BitsDouble(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// To a binary IEEE format of `precision` bits and `exponent_bits` exponent
// bits, as raw bits.
std::uint64_t Narrow(SoftExtended x, int precision, int exponent_bits) {
  const int total = precision + exponent_bits;  // sign, exponent, fraction
  const std::uint64_t sign = std::uint64_t{x.negative()} << (total - 1);
  const int max_biased = (1 << exponent_bits) - 1;
  const int bias = max_biased / 2;
  const std::uint64_t fraction_mask = (std::uint64_t{1} << (precision - 1)) - 1;
  const std::uint64_t infinity = std::uint64_t(max_biased) << (precision - 1);
  switch (KindOf(x)) {
    case Kind::kZero:
      return sign;
    case Kind::kInfinity:
      return sign | infinity;
    case Kind::kNan:
      // Quiet, with the payload's top bits.
      return sign | infinity | (std::uint64_t{1} << (precision - 2)) |
             ((x.significand() & ~kIntegerBit) >> (64 - precision) & fraction_mask);
    case Kind::kFinite:
      break;
  }
  const Unpacked u = Unpack(x);
  const Rounded r = Round(U128{u.significand} << 64, u.exponent, precision, 1 - bias, bias);
  if (r.overflow) return sign | infinity;
  if (r.exponent < 1 - bias) return sign | r.significand;  // denormal or zero
  return sign | (std::uint64_t(r.exponent + bias) << (precision - 1)) |
         (r.significand & fraction_mask);
}

}  // namespace

SoftExtended::SoftExtended(std::uint64_t value) {
  if (value == 0) return;
  const int shift = LeadingZeros64(value);
  significand_ = value << shift;
  sign_exponent_ = static_cast<std::uint16_t>(kBias + 63 - shift);
}

SoftExtended::SoftExtended(std::int64_t value)
    : SoftExtended(value < 0 ? 0 - static_cast<std::uint64_t>(value)
                             : static_cast<std::uint64_t>(value)) {
  if (value < 0) sign_exponent_ |= 0x8000;
}

SoftExtended::SoftExtended(double value) {
  const std::uint64_t bits = DoubleBits(value);
  const bool negative = (bits >> 63) != 0;
  const int e = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (e == 0x7FF) {
    // Loading a signalling NaN quiets it.
    const std::uint64_t nan = fraction != 0 ? kQuietBit : 0;
    *this = FromBits(negative, kMaxBiased, kIntegerBit | nan | (fraction << 11));
  } else if (e == 0 && fraction == 0) {
    *this = Zero(negative);
  } else {
    const std::uint64_t m = e == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = LeadingZeros64(m);
    const int exponent = (e == 0 ? 1 : e) - 1023 - (shift - 11);
    *this = FromBits(negative, static_cast<std::uint16_t>(exponent + kBias), m << shift);
  }
}

SoftExtended::operator double() const { return BitsDouble(Narrow(*this, 53, 11)); }

SoftExtended::operator float() const {
  const auto bits = static_cast<std::uint32_t>(Narrow(*this, 24, 8));
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

SoftExtended::operator std::int64_t() const {
  constexpr std::int64_t kIndefinite = INT64_MIN;
  const Kind k = KindOf(*this);
  if (k == Kind::kZero) return 0;
  if (k != Kind::kFinite) return kIndefinite;
  const Unpacked u = Unpack(*this);
  if (u.exponent < 0) return 0;
  // From 2^63 up nothing fits, but -2^63, which is the indefinite value too.
  if (u.exponent >= 63) return kIndefinite;
  const std::uint64_t magnitude = u.significand >> (63 - u.exponent);
  return u.negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
}

SoftExtended operator+(SoftExtended a, SoftExtended b) { return Add(a, b, false); }
SoftExtended operator-(SoftExtended a, SoftExtended b) { return Add(a, b, true); }

SoftExtended operator*(SoftExtended a, SoftExtended b) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  const bool negative = a.negative() != b.negative();
  if (ka == Kind::kNan || kb == Kind::kNan) return PropagateNan(a, b);
  if (ka == Kind::kInfinity || kb == Kind::kInfinity) {
    if (ka == Kind::kZero || kb == Kind::kZero) return DefaultNan();
    return Infinity(negative);
  }
  if (ka == Kind::kZero || kb == Kind::kZero) return Zero(negative);
  const Unpacked ua = Unpack(a), ub = Unpack(b);
  // Both significands in [2^63, 2^64): the product in [2^126, 2^128).
  return Pack(negative, ua.exponent + ub.exponent + 1, U128{ua.significand} * ub.significand);
}

SoftExtended operator/(SoftExtended a, SoftExtended b) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  const bool negative = a.negative() != b.negative();
  if (ka == Kind::kNan || kb == Kind::kNan) return PropagateNan(a, b);
  if (ka == Kind::kInfinity) return kb == Kind::kInfinity ? DefaultNan() : Infinity(negative);
  if (kb == Kind::kInfinity) return Zero(negative);
  if (kb == Kind::kZero) return ka == Kind::kZero ? DefaultNan() : Infinity(negative);
  if (ka == Kind::kZero) return Zero(negative);
  const Unpacked ua = Unpack(a), ub = Unpack(b);
  // (ma x 2^64) / mb lies in (2^63, 2^65); one more quotient bit and a sticky
  // bit from the remainder make the rounding exact.
  const U128 numerator = U128{ua.significand} << 64;
  const U128 quotient = numerator / ub.significand;
  const U128 remainder = numerator % ub.significand;
  const int exponent = ua.exponent - ub.exponent;
  if (quotient >> 64 != 0) {
    // 65 quotient bits: the last is the rounding bit, the remainder the sticky.
    return Pack(negative, exponent, (quotient << 63) | U128{remainder != 0});
  }
  const U128 twice = remainder << 1;
  const bool next = twice >= ub.significand;
  const bool sticky = (next ? twice - ub.significand : twice) != 0;
  return Pack(negative, exponent - 1, (quotient << 64) | (U128{next} << 63) | U128{sticky});
}

bool operator==(SoftExtended a, SoftExtended b) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  if (ka == Kind::kNan || kb == Kind::kNan) return false;
  if (ka == Kind::kZero && kb == Kind::kZero) return true;
  return a.negative() == b.negative() && a.biased_exponent() == b.biased_exponent() &&
         a.significand() == b.significand();
}

bool operator<(SoftExtended a, SoftExtended b) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  if (ka == Kind::kNan || kb == Kind::kNan) return false;
  if (ka == Kind::kZero && kb == Kind::kZero) return false;
  if (a.negative() != b.negative()) return a.negative();
  // Same sign: the encodings order the magnitudes.
  const bool smaller = a.biased_exponent() != b.biased_exponent()
                           ? a.biased_exponent() < b.biased_exponent()
                           : a.significand() < b.significand();
  const bool equal =
      a.biased_exponent() == b.biased_exponent() && a.significand() == b.significand();
  if (equal) return false;
  return a.negative() ? !smaller : smaller;
}

bool IsNan(SoftExtended x) { return KindOf(x) == Kind::kNan; }
bool IsInf(SoftExtended x) { return KindOf(x) == Kind::kInfinity; }

SoftExtended Fabs(SoftExtended x) { return x.negative() ? -x : x; }

SoftExtended Floor(SoftExtended x) {
  if (KindOf(x) != Kind::kFinite) return x;
  const Unpacked u = Unpack(x);
  if (u.exponent >= 63) return x;
  if (u.exponent < 0) return u.negative ? SoftExtended(std::int64_t{-1}) : Zero(false);
  const int fraction_bits = 63 - u.exponent;
  const std::uint64_t mask = (std::uint64_t{1} << fraction_bits) - 1;
  const std::uint64_t whole = u.significand >> fraction_bits;
  const bool has_fraction = (u.significand & mask) != 0;
  // Whole values below 2^63 convert exactly.
  const SoftExtended magnitude(whole + (u.negative && has_fraction ? 1 : 0));
  return u.negative ? -magnitude : magnitude;
}

SoftExtended Ldexp(SoftExtended x, int n) {
  if (KindOf(x) != Kind::kFinite) return x;
  const Unpacked u = Unpack(x);
  // Clamp n so the exponent arithmetic cannot overflow; far beyond the range
  // the result is the same infinity or zero either way.
  const int step = n > 40000 ? 40000 : n < -40000 ? -40000 : n;
  return Pack(u.negative, u.exponent + step, U128{u.significand} << 64);
}

}  // namespace cog
