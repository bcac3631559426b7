#include "gears/fraction_text.h"

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "numtext/decimal_digits.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

constexpr int kMaxDigits = 18;
constexpr int kMaxExponentDigits = 4;

std::string Quote(std::string_view text) { return Quoted(text); }

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
  // "1,5" is how half of Europe writes 1.5: say so, rather than "not a number".
  if (text.find(',') != std::string_view::npos) {
    std::string dotted(text);
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    Fraction ignored;
    std::string why;
    if (ReadFraction(dotted, &ignored, &why)) {
      *error = Quote(text) + " has a decimal comma: write a point, " + Quote(dotted);
      return false;
    }
  }
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

std::string FixedText(double value, int decimals) {
  // Every digit of the value, then rounded at the last place shown.
  const DecimalExpansion exact = ExactDecimal(Extended(value));
  const int keep = exact.point + decimals;  // digits before the rounding place
  std::string digits;
  if (keep >= 0) {
    digits =
        exact.digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, exact.digits.size())));
    digits.append(
        static_cast<std::size_t>(std::max<int>(0, keep - static_cast<int>(exact.digits.size()))),
        '0');
    const std::string rest =
        keep < static_cast<int>(exact.digits.size()) ? exact.digits.substr(keep) : "";
    const bool above =
        !rest.empty() &&
        (rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos));
    const bool tie = rest.size() == 1 && rest[0] == '5';
    const bool odd = !digits.empty() && (digits.back() - '0') % 2 == 1;
    if (above || (tie && odd)) {
      int i = static_cast<int>(digits.size()) - 1;
      for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
      if (i >= 0)
        ++digits[i];
      else
        digits.insert(digits.begin(), '1');
    }
  }
  // digits now holds the value x 10^decimals as a whole number.
  if (static_cast<int>(digits.size()) <= decimals)
    digits.insert(0, static_cast<std::size_t>(decimals + 1 - digits.size()), '0');
  std::string text = digits.substr(0, digits.size() - decimals);
  if (decimals > 0) text += "." + digits.substr(digits.size() - decimals);
  const bool zero = text.find_first_not_of("0.") == std::string::npos;
  return value < 0 && !zero ? "-" + text : text;
}

bool ReadRatio(std::string_view text, Fraction* out, std::string* error) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return ReadFraction(text, out, error);
  Fraction a, b;
  if (!ReadFraction(text.substr(0, colon), &a, error) ||
      !ReadFraction(text.substr(colon + 1), &b, error))
    return false;
  if (b.num == 0) return *error = Quote(text) + " divides by zero", false;
  if (!Divide(a, b, out))
    return *error = Quote(text) + " is too large or too fine to compute exactly", false;
  return true;
}

std::string ShortestText(double value) {
  // The same digits as the JSON results, on every platform (the libc++ of
  // WebAssembly builds has no floating-point to_chars); "25", not "25.0".
  std::string text = nlohmann::json(value).dump();
  if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
  return text;
}

}  // namespace cog
