#include "numtext/number_reader.h"

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "numtext/decimal_digits.h"

namespace cog {
namespace {

constexpr int kMaxGatheredDigits = 18;
constexpr long long kExponentCap = 9999;
// Decimal magnitudes from 10^4933 up fold to 2^127, from 10^-4933 down to 0.
constexpr long long kFoldingMagnitude = 4933;

// Reads the text front to back; past the end it sees NUL, which no rule accepts.
struct Cursor {
  std::string_view text;
  std::size_t pos = 0;

  char Peek() const { return pos < text.size() ? text[pos] : '\0'; }
  bool Accept(char c) {
    if (Peek() != c) return false;
    ++pos;
    return true;
  }
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void SkipLeadingSpace(Cursor& in) {
  while (in.Peek() == ' ' || in.Peek() == '\t' || in.Peek() == '\n') ++in.pos;
}

// ---- decimal form ----

struct DigitRun {
  bool any_digit = false;
  std::uint64_t significand = 0;  // the first gathered digits, as an integer
  int gathered = 0;               // how many digits went into the significand
  long long point = 0;            // decimal point, counted from the first significant digit
};

DigitRun ReadDigitRun(Cursor& in) {
  DigitRun run;
  bool seen_point = false;
  long long significant = 0;
  long long significant_before_point = 0;
  long long zeros_after_point = 0;  // those between the point and the first significant digit
  for (;; ++in.pos) {
    const char c = in.Peek();
    if (c == '.' && !seen_point) {
      seen_point = true;
      significant_before_point = significant;
      continue;
    }
    if (!IsDigit(c)) break;
    run.any_digit = true;
    if (significant == 0 && c == '0') {
      if (seen_point) ++zeros_after_point;
      continue;
    }
    if (run.gathered < kMaxGatheredDigits) {
      run.significand = run.significand * 10 + static_cast<std::uint64_t>(c - '0');
      ++run.gathered;
    }
    ++significant;
  }
  run.point = seen_point ? significant_before_point - zeros_after_point : significant;
  return run;
}

long long ReadExponent(Cursor& in) {
  const char letter = in.Peek();
  if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') return 0;
  ++in.pos;
  const bool negative = in.Accept('-');
  if (!negative) in.Accept('+');
  long long magnitude = 0;
  for (; IsDigit(in.Peek()); ++in.pos) {
    magnitude = magnitude * 10 + (in.Peek() - '0');
    if (magnitude > kExponentCap) magnitude = kExponentCap;
  }
  return negative ? -magnitude : magnitude;
}

// The significand of up to 18 digits converts exactly, and the one
// multiplication or division rounds at 64 bits.
Extended ScaleDigits(const DigitRun& run, long long exponent) {
  if (run.gathered == 0) return 0;
  const long long magnitude = run.point + exponent;
  if (magnitude >= kFoldingMagnitude) return Ldexp(Extended(1.0), 127);
  if (magnitude <= -kFoldingMagnitude) return 0;
  const long long scale = magnitude - run.gathered;
  const Extended significand(run.significand);
  if (scale > 0) return significand * PowerOfTen(static_cast<int>(scale));
  if (scale < 0) return significand / PowerOfTen(static_cast<int>(-scale));
  return significand;
}

Extended ReadDecimal(Cursor& in) {
  const bool negative = in.Accept('-');
  if (!negative) in.Accept('+');
  const DigitRun run = ReadDigitRun(in);
  if (!run.any_digit) return 0;
  const Extended magnitude = ScaleDigits(run, ReadExponent(in));
  return negative ? -magnitude : magnitude;
}

// ---- radix form ----

enum class RadixSuffix { kNone, kPercent, kAmpersand, kDoubleAmpersand, kQuestion };

int SelectBase(Cursor& in) {
  switch (in.Peek()) {
    case 'H':
    case 'h':
      ++in.pos;
      return 16;
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
      ++in.pos;
      return 8;
    case 'B':
    case 'b':
      ++in.pos;
      return 2;
    default:  // "&17" is octal with its first digit right after the ampersand
      return 8;
  }
}

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return std::numeric_limits<int>::max();
}

RadixSuffix ReadSuffix(Cursor& in) {
  if (in.Accept('%')) return RadixSuffix::kPercent;
  if (in.Accept('&'))
    return in.Accept('&') ? RadixSuffix::kDoubleAmpersand : RadixSuffix::kAmpersand;
  if (!in.Accept('?')) return RadixSuffix::kNone;
  for (int extra = 0; extra < 2 && in.Accept('?'); ++extra) {
  }
  return RadixSuffix::kQuestion;
}

// Picks the width whose two's complement gives the value, the way the digits
// and suffix ask for it.
Extended ApplySignRule(std::uint64_t n, bool leading_zero, RadixSuffix suffix) {
  constexpr std::uint64_t kTwoTo16 = std::uint64_t{1} << 16;
  constexpr std::uint64_t kTwoTo32 = std::uint64_t{1} << 32;
  constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;
  if (suffix == RadixSuffix::kQuestion) return (n & kTopBit) != 0 ? Extended(0) : Extended(n);
  const bool wide = leading_zero || n >= kTwoTo32 || suffix == RadixSuffix::kDoubleAmpersand ||
                    (n < kTwoTo16 && suffix == RadixSuffix::kAmpersand);
  if (wide) return Extended(static_cast<std::int64_t>(n));
  if (n >= kTwoTo16) return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(n));
}

Extended ReadRadix(Cursor& in) {
  const int base = SelectBase(in);
  const std::size_t first_digit = in.pos;
  std::uint64_t n = 0;
  bool overflow = false;
  for (int digit; (digit = DigitValue(in.Peek())) < base; ++in.pos) {
    const auto d = static_cast<std::uint64_t>(digit);
    if (n > (std::numeric_limits<std::uint64_t>::max() - d) / static_cast<std::uint64_t>(base)) {
      overflow = true;
    }
    n = n * static_cast<std::uint64_t>(base) + d;
  }
  if (in.pos == first_digit || overflow) return 0;
  const bool leading_zero = in.text[first_digit] == '0';
  return ApplySignRule(n, leading_zero, ReadSuffix(in));
}

}  // namespace

Extended ReadNumber(std::string_view text) {
  Cursor in{text};
  SkipLeadingSpace(in);
  if (in.Accept('&')) return ReadRadix(in);
  return ReadDecimal(in);
}

float NarrowToFloat(Extended value) {
  if (IsNan(value)) return std::numeric_limits<float>::quiet_NaN();
  // Halfway between FLT_MAX and 2^128: from here on the even neighbour is 2^128.
  const Extended kRoundsToInfinity(0x1.ffffffp127);
  const Extended magnitude = Fabs(value);
  if (magnitude >= kRoundsToInfinity) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    return SignBit(value) ? -kInfinity : kInfinity;
  }
  // Converting a value above FLT_MAX is undefined in C++ even where it would round down.
  if (magnitude > Extended(FLT_MAX)) return SignBit(value) ? -FLT_MAX : FLT_MAX;
  return static_cast<float>(value);
}

}  // namespace cog
