// Arbitrary bytes as the target box or a command-line parameter: ReadNumber,
// then the two narrowings its result goes through (ToByte for the tooth limits,
// NarrowToFloat for the target ratio).

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_values.h"
#include "numtext/number_format.h"
#include "numtext/number_reader.h"

namespace cog::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipLeadingSpace(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\n");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool CanStartNumber(char c) { return IsDigit(c) || c == '.' || c == '+' || c == '-' || c == '&'; }

// A sign, at most 18 digits with at most one point, and at most a one-digit
// exponent: the power of ten needed is then at most 10^27, which is exact in 64
// bits, so the only rounding is the one of the final multiplication or division
// and the value must be the correctly rounded one that strtold gives.
bool IsShortDecimal(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  int digits = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    if (IsDigit(t[i])) {
      ++digits;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0 || digits > 18) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size() || !IsDigit(t[i])) return false;
    ++i;
  }
  return i == t.size();
}

void CheckAgainstStrtold(std::string_view number, long double value) {
  const std::string text(number);
  const long double expected = std::strtold(text.c_str(), nullptr);
  Require(value == expected && std::signbit(value) == std::signbit(expected),
          "a short decimal reads as its correctly rounded value");
}

// Rounded by the FPU's own round-to-nearest-even, then the low byte of the
// 64-bit integer; -2^63 (low byte 0) when there is no such integer.
std::uint8_t ExpectedByte(long double value) {
  if (std::isnan(value)) return 0;
  const long double whole = std::nearbyint(value);
  if (whole < -0x1p63L || whole >= 0x1p63L) return 0;
  return static_cast<std::uint8_t>(static_cast<std::int64_t>(whole));
}

bool IsEven(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & 1) == 0;
}

// The float chosen must be at least as near as both its neighbours, and on a
// tie the even one.
void CheckNarrowing(long double value) {
  const float narrow = NarrowToFloat(value);
  if (std::isnan(value)) {
    Require(std::isnan(narrow), "NaN stays NaN");
    return;
  }
  Require(!std::isnan(narrow), "a number narrows to a number");
  Require(std::signbit(narrow) == std::signbit(value), "narrowing keeps the sign");
  const long double magnitude = std::fabs(value);
  const float chosen = std::fabs(narrow);
  // Halfway between FLT_MAX and the next step of the format, 2^128.
  const long double overflow_point = (static_cast<long double>(FLT_MAX) + 0x1p128L) / 2;
  if (std::isinf(chosen)) {
    Require(magnitude >= overflow_point, "only values from halfway past FLT_MAX overflow");
    return;
  }
  const long double distance = std::fabs(magnitude - chosen);
  const long double neighbours[] = {
      chosen == 0 ? 0.0L : std::nextafter(chosen, 0.0f),
      chosen == FLT_MAX ? 0x1p128L : std::nextafter(chosen, HUGE_VALF),
  };
  for (const long double neighbour : neighbours) {
    const long double other = std::fabs(magnitude - neighbour);
    Require(distance <= other, "narrowing picks the nearest float");
    if (distance == other && neighbour != chosen) Require(IsEven(chosen), "a tie goes to even");
  }
}

void CheckByte(long double value) {
  Require(ToByte(value) == ExpectedByte(value), "ToByte rounds to even and keeps the low byte");
}

void CheckReadNumber(std::string_view text) {
  const long double value = ReadNumber(text);
  Require(std::isfinite(value), "a text always reads as a finite number");
  const std::string_view rest = SkipLeadingSpace(text);
  if (rest.empty() || !CanStartNumber(rest[0])) {
    Require(value == 0 && !std::signbit(value), "a text that cannot start a number reads as +0");
  }
  if (std::signbit(value)) {
    Require(rest[0] == '-' || rest[0] == '&', "only a minus sign or a radix form gives a negative");
  }
  if (!rest.empty() && rest[0] == '&') {
    Require(std::fabs(value) < 0x1p64L && value == std::trunc(value),
            "a radix form is a 64-bit integer");
  }
  if (IsShortDecimal(rest)) CheckAgainstStrtold(rest, value);
  CheckByte(value);
  CheckNarrowing(value);
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog::fuzz;
  CheckReadNumber(std::string_view(reinterpret_cast<const char*>(data), size));
  // The same bytes as a raw value: every class of extended number, NaN and
  // infinities included, must narrow without a fault.
  if (size >= 10) {
    const long double raw = ExtendedFromBytes(data);
    CheckByte(raw);
    CheckNarrowing(raw);
  }
  return 0;
}
