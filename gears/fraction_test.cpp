// Fractions against 128-bit integer arithmetic: every operation either gives
// the exact reduced result or refuses, and refuses only near the 64-bit edge; and the
// decimal reader against values built digit by digit.

#include "gears/fraction.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "gears/fraction_text.h"
#include "gears/wide_product.h"

namespace cog {
namespace {

using Int = __int128;

Int Gcd(Int a, Int b) {
  if (a < 0) a = -a;
  if (b < 0) b = -b;
  while (b) a %= b, std::swap(a, b);
  return a;
}

// The exact reduced result, and whether both parts fit where a Fraction can.
bool Expected(Int n, Int d, Fraction* f) {
  if (d < 0) n = -n, d = -d;
  const Int g = Gcd(n, d);
  n /= g ? g : 1, d /= g ? g : 1;
  constexpr Int kMax = std::numeric_limits<std::int64_t>::max();
  if (n > kMax || n < -kMax || d > kMax) return false;
  *f = Fraction{static_cast<std::int64_t>(n), static_cast<std::int64_t>(d)};
  return true;
}

TEST(FractionTest, ArithmeticIsExactOrRefused) {
  std::mt19937_64 rng(7);
  // Parts from tiny to near the 64-bit limit, so both outcomes occur often.
  auto part = [&](bool positive) {
    const int bits = static_cast<int>(rng() % 63);
    std::int64_t v = static_cast<std::int64_t>(rng() >> (64 - bits - 1)) | 1;
    return positive || rng() % 2 ? v : -v;
  };
  int refused = 0;
  for (int i = 0; i < 200000; ++i) {
    Fraction a, b;
    if (!MakeFraction(part(false), part(true), &a) || !MakeFraction(part(false), part(true), &b))
      continue;
    const Int an = a.num, ad = a.den, bn = b.num, bd = b.den;
    struct Op {
      bool (*run)(const Fraction&, const Fraction&, Fraction*);
      Int n, d;
    };
    const Op ops[] = {{Add, an * bd + bn * ad, ad * bd},
                      {Subtract, an * bd - bn * ad, ad * bd},
                      {Multiply, an * bn, ad * bd},
                      {Divide, an * bd, ad * bn}};
    for (const Op& op : ops) {
      // Never wrong; refused when the reduced result does not fit, and
      // computed whenever the unreduced one and the cross products fit.
      Fraction want, got;
      const bool fits = Expected(op.n, op.d, &want);
      const bool ok = op.run(a, b, &got);
      SCOPED_TRACE(std::to_string(a.num) + "/" + std::to_string(a.den) + " and " +
                   std::to_string(b.num) + "/" + std::to_string(b.den));
      if (ok) {
        ASSERT_EQ(want, got);
      }
      if (!fits) {
        ASSERT_FALSE(ok);
      }
      constexpr Int kMax = std::numeric_limits<std::int64_t>::max();
      auto in_range = [&](Int v) { return v <= kMax && v >= -kMax; };
      if (in_range(op.n) && in_range(op.d) && in_range(an * bd) && in_range(bn * ad)) {
        ASSERT_TRUE(ok);
      }
      refused += !ok;
    }
    const int cmp = an * bd < bn * ad ? -1 : an * bd > bn * ad;
    ASSERT_EQ(cmp, Compare(a, b));
  }
  EXPECT_GT(refused, 1000);
}

TEST(FractionTest, WideProductsCompareExactly) {
  std::mt19937_64 rng(11);
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t a = rng() >> (rng() % 64), b = rng() >> (rng() % 64);
    const std::uint64_t c = i % 3 ? rng() >> (rng() % 64) : b, d = i % 3 ? rng() : a;
    const unsigned __int128 left = static_cast<unsigned __int128>(a) * b;
    const unsigned __int128 right = static_cast<unsigned __int128>(c) * d;
    ASSERT_EQ(left < right ? -1 : left > right, CompareProducts(a, b, c, d));
  }
}

TEST(FractionTest, FixedTextRoundsAsTheLibraryDoes) {
  std::mt19937_64 rng(5);
  for (int i = 0; i < 40000; ++i) {
    // Short decimals (many ties) and arbitrary doubles of every size.
    const double value =
        i % 2 ? static_cast<double>(static_cast<std::int64_t>(rng() % 2000001) - 1000000) / 1000
              : std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 80) - 70) *
                    (rng() % 2 ? 1 : -1);
    const int decimals = static_cast<int>(rng() % 7);
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    std::string want(buffer, end);
    if (want.find_first_not_of("-0.") == std::string::npos && want[0] == '-') want.erase(0, 1);
    ASSERT_EQ(want, FixedText(value, decimals)) << value << " " << decimals;
  }
}

TEST(FractionTest, DecimalTexts) {
  struct {
    const char* text;
    std::int64_t num, den;
    const char* error;  // null when the text reads
  } cases[] = {
      {"1.5", 3, 2, nullptr},
      {"25.4", 127, 5, nullptr},
      {"25.4/16", 127, 80, nullptr},
      {"-0.250", -1, 4, nullptr},
      {"1e-3", 1, 1000, nullptr},
      {"12.5E+2", 1250, 1, nullptr},
      {"0.000000000000000001", 1, 1000000000000000000, nullptr},
      {"123456789012345678", 123456789012345678, 1, nullptr},
      {"1234567890.12345678e-8", 61728394506172839, 5000000000000000, nullptr},
      {"100000000000000000000e-2", 1000000000000000000, 1, nullptr},
      {"1234567890123456789", 0, 0, "\"1234567890123456789\" has more than 18 significant digits"},
      {"1e19", 0, 0, "\"1e19\" is too large"},
      {"1e-19", 0, 0, "\"1e-19\" is too small"},
      {"1/0", 0, 0, "\"1/0\" divides by zero"},
      {"1.2.3", 0, 0, "\"1.2.3\" is not a number"},
      {"", 0, 0, "\"\" is not a number"},
      {"2e", 0, 0, "\"2e\" has a bad exponent"},
      {"2e12345", 0, 0, "\"2e12345\" has a bad exponent"},
      {"1/2/3", 0, 0, "\"1/2/3\" is not a number"},
  };
  for (const auto& c : cases) {
    Fraction f;
    std::string error;
    const bool ok = ReadFraction(c.text, &f, &error);
    EXPECT_EQ(c.error == nullptr, ok) << c.text;
    if (ok) {
      EXPECT_EQ((Fraction{c.num, c.den}), f) << c.text;
    } else if (c.error) {
      EXPECT_EQ(c.error, error);
    }
  }
}

}  // namespace
}  // namespace cog
