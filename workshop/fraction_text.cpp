#include "workshop/fraction_text.h"

#include <charconv>
#include <cstdint>

namespace cog {
namespace {

constexpr int kMaxDigits = 18;
constexpr int kMaxExponentDigits = 4;

std::string Quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 10^n for 0 <= n <= 18.
std::int64_t PowerOfTen(int n) {
  std::int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// One decimal, the whole of `text`. Errors name `whole`, the text the user wrote.
bool ReadDecimal(std::string_view text, std::string_view whole, Fraction* out, std::string* error) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string digits;  // significant digits only
  int scale = 0;       // value = digits x 10^scale
  bool seen_digit = false, seen_point = false;
  int trailing_zeros = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !seen_point) {
      seen_point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    seen_digit = true;
    if (seen_point) --scale;
    if (c == '0') {
      if (!digits.empty()) ++trailing_zeros;
      continue;
    }
    digits.append(static_cast<std::size_t>(trailing_zeros), '0');
    trailing_zeros = 0;
    digits += c;
    if (digits.size() > kMaxDigits) {
      *error = Quote(whole) + " has more than 18 significant digits";
      return false;
    }
  }
  scale += trailing_zeros;
  if (!seen_digit) {
    *error = Quote(whole) + " is not a number";
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent_negative = text[i++] == '-';
    const std::size_t start = i;
    int exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (i - start == kMaxExponentDigits) break;
      exponent = exponent * 10 + (text[i] - '0');
    }
    if (i == start || (i < text.size() && IsDigit(text[i]))) {
      *error = Quote(whole) + " has a bad exponent";
      return false;
    }
    scale += exponent_negative ? -exponent : exponent;
  }
  if (i != text.size()) {
    *error = Quote(whole) + " is not a number";
    return false;
  }
  if (digits.empty()) {
    *out = Whole(0);
    return true;
  }
  std::int64_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  if (negative) value = -value;
  bool fits;
  if (scale >= 0) {
    std::int64_t scaled;
    fits = scale <= kMaxDigits && !__builtin_mul_overflow(value, PowerOfTen(scale), &scaled) &&
           MakeFraction(scaled, 1, out);
  } else {
    fits = -scale <= kMaxDigits && MakeFraction(value, PowerOfTen(-scale), out);
  }
  if (!fits) *error = Quote(whole) + (scale >= 0 ? " is too large" : " is too small");
  return fits;
}

}  // namespace

bool ReadFraction(std::string_view text, Fraction* out, std::string* error) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return ReadDecimal(text, text, out, error);
  Fraction top, bottom;
  if (!ReadDecimal(text.substr(0, slash), text, &top, error) ||
      !ReadDecimal(text.substr(slash + 1), text, &bottom, error))
    return false;
  if (bottom.num == 0) {
    *error = Quote(text) + " divides by zero";
    return false;
  }
  if (!Divide(top, bottom, out)) {
    *error = Quote(text) + " is too large or too fine to compute exactly";
    return false;
  }
  return true;
}

std::string ShortestText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace cog
