// The software x87 type against the x87 unit itself: random and edge
// operands (denormals, the ends of the range, infinities, NaNs, values that
// round to ties), every operation, bit for bit.

#include "numtext/soft_extended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

namespace cog {
namespace {

static_assert(LDBL_MANT_DIG == 64, "the reference is the x87 long double");

long double Hard(SoftExtended x) {
  long double h = 0;
  const std::uint64_t m = x.significand();
  const std::uint16_t se =
      static_cast<std::uint16_t>((x.negative() ? 0x8000 : 0) | x.biased_exponent());
  std::memcpy(&h, &m, 8);
  std::memcpy(reinterpret_cast<char*>(&h) + 8, &se, 2);
  return h;
}

SoftExtended Soft(long double h) {
  std::uint64_t m;
  std::uint16_t se;
  std::memcpy(&m, &h, 8);
  std::memcpy(&se, reinterpret_cast<const char*>(&h) + 8, 2);
  return SoftExtended::FromBits((se & 0x8000) != 0, se & 0x7FFF, m);
}

std::string Bits(SoftExtended x) {
  char text[64];
  std::snprintf(text, sizeof text, "%c%04x:%016llx", x.negative() ? '-' : '+', x.biased_exponent(),
                static_cast<unsigned long long>(x.significand()));
  return text;
}

bool Same(SoftExtended a, SoftExtended b) {
  return a.negative() == b.negative() && a.biased_exponent() == b.biased_exponent() &&
         a.significand() == b.significand();
}

class Operands {
 public:
  explicit Operands(unsigned seed) : rng_(seed) {}

  // A valid x87 encoding, biased toward the places where rounding is hard.
  SoftExtended Next() {
    const bool negative = rng_() & 1;
    std::uint64_t m = rng_();
    switch (rng_() % 12) {
      case 0:
        return SoftExtended::FromBits(negative, 0, 0);
      case 1:
        return SoftExtended::FromBits(negative, 0x7FFF, 1ull << 63);
      case 2:
        return SoftExtended::FromBits(negative, 0x7FFF, (3ull << 62) | (m >> 2));  // quiet NaN
      case 3:
        return SoftExtended::FromBits(negative, 0, m >> (1 + rng_() % 63));  // denormal
      case 4:
        return SoftExtended::FromBits(negative, static_cast<std::uint16_t>(1 + rng_() % 80),
                                      m | 1ull << 63);
      case 5:
        return SoftExtended::FromBits(negative, static_cast<std::uint16_t>(0x7FFE - rng_() % 80),
                                      m | 1ull << 63);
      case 6:
        m = (1ull << 63) | (m & 0xFF);
        break;  // near powers of two
      case 7:
        m = ~0ull - (m & 0xFF);
        break;
      case 8:
        m = (m | 1ull << 63) & ~((1ull << (rng_() % 63)) - 1);
        break;  // short significands: exact and tie cases
      default:
        m |= 1ull << 63;
    }
    return SoftExtended::FromBits(negative, static_cast<std::uint16_t>(16383 - 70 + rng_() % 140),
                                  m);
  }

  std::mt19937_64& rng() { return rng_; }

 private:
  std::mt19937_64 rng_;
};

TEST(SoftExtendedTest, ArithmeticMatchesTheX87) {
  Operands operands(1);
  for (int i = 0; i < 2000000; ++i) {
    const SoftExtended a = operands.Next(), b = operands.Next();
    const long double x = Hard(a), y = Hard(b);
    struct {
      const char* name;
      SoftExtended soft;
      long double hard;
    } results[] = {
        {"+", a + b, x + y},
        {"-", a - b, x - y},
        {"*", a * b, x * y},
        {"/", a / b, x / y},
    };
    for (const auto& r : results) {
      ASSERT_TRUE(Same(r.soft, Soft(r.hard)))
          << Bits(a) << " " << r.name << " " << Bits(b) << ": " << Bits(r.soft) << " instead of "
          << Bits(Soft(r.hard));
    }
    ASSERT_EQ(x == y, a == b) << Bits(a) << " == " << Bits(b);
    ASSERT_EQ(x < y, a < b) << Bits(a) << " < " << Bits(b);
    ASSERT_EQ(x <= y, a <= b) << Bits(a) << " <= " << Bits(b);
  }
}

TEST(SoftExtendedTest, ConversionsMatchTheX87) {
  Operands operands(2);
  auto& rng = operands.rng();
  for (int i = 0; i < 1000000; ++i) {
    const SoftExtended a = operands.Next();
    const long double x = Hard(a);
    const double d = static_cast<double>(a), hd = static_cast<double>(x);
    const float f = static_cast<float>(a), hf = static_cast<float>(x);
    ASSERT_EQ(0, std::memcmp(&d, &hd, sizeof d)) << Bits(a) << " to double";
    ASSERT_EQ(0, std::memcmp(&f, &hf, sizeof f)) << Bits(a) << " to float";
    ASSERT_TRUE(Same(Floor(a), Soft(std::floor(x)))) << "floor " << Bits(a);
    ASSERT_EQ(std::isnan(x), IsNan(a));
    ASSERT_EQ(std::isinf(x), IsInf(a));
    const int n = static_cast<int>(rng() % 70000) - 35000;
    ASSERT_TRUE(Same(Ldexp(a, n), Soft(std::ldexp(x, n)))) << "ldexp " << Bits(a) << " " << n;
    if (std::fabs(x) < 0x1p63L) {
      ASSERT_EQ(static_cast<std::int64_t>(x), static_cast<std::int64_t>(a)) << Bits(a);
    }
    // From other types, which must be exact.
    const std::uint64_t u = rng() >> (rng() % 64);
    const std::int64_t s = static_cast<std::int64_t>(rng()) >> (rng() % 64);
    ASSERT_TRUE(Same(SoftExtended(u), Soft(static_cast<long double>(u)))) << u;
    ASSERT_TRUE(Same(SoftExtended(s), Soft(static_cast<long double>(s)))) << s;
    std::uint64_t bits = rng();
    double from;
    std::memcpy(&from, &bits, sizeof from);
    if (!std::isnan(from)) {
      ASSERT_TRUE(Same(SoftExtended(from), Soft(static_cast<long double>(from)))) << from;
    }
  }
}

}  // namespace
}  // namespace cog
