#include "numtext/number_format.h"

#include <algorithm>
#include <cstddef>

#include "numtext/decimal_digits.h"

namespace cog {
namespace {

constexpr std::size_t kSignificantDigits = 18;
constexpr int kInfinityNines = 19;
constexpr int kInfinityIntegerDigits = 999;

bool IsPlaceholder(char c) { return c == '#' || c == '0'; }
bool IsOdd(char digit) { return (digit - '0') % 2 == 1; }

// Adds one in the last place; true when the carry ran out of the front.
bool Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

// Round half to even, looking at the digit right after the kept ones and
// whether anything non-zero follows it.
bool RoundsUp(char last_kept, char first_dropped, bool nonzero_after) {
  if (first_dropped != '5') return first_dropped > '5';
  return nonzero_after || IsOdd(last_kept);
}

DecimalExpansion RoundToSignificant(DecimalExpansion exact) {
  std::string& digits = exact.digits;
  if (digits.size() <= kSignificantDigits) return exact;
  const bool up =
      RoundsUp(digits[kSignificantDigits - 1], digits[kSignificantDigits],
               digits.find_first_not_of('0', kSignificantDigits + 1) != std::string::npos);
  digits.resize(kSignificantDigits);
  if (up && Increment(digits)) {
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    ++exact.point;
  }
  return exact;
}

struct SignedDigits {
  bool negative = false;
  DecimalExpansion magnitude;
};

// The digits shown come from the exact binary value of an extended number.
SignedDigits DigitsOf(Extended value) {
  if (IsNan(value) || value == Extended(0)) return {};
  if (IsInf(value)) {
    return {SignBit(value), {std::string(kInfinityNines, '9'), kInfinityIntegerDigits}};
  }
  return {SignBit(value), RoundToSignificant(ExactDecimal(value))};
}

struct MaskLayout {
  int integer_places = 0;
  int fraction_places = 0;
  int point_shift = 0;  // places the decimal point moves right: two for each "%"
};

MaskLayout ReadMask(std::string_view mask) {
  MaskLayout layout;
  bool after_point = false;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (IsPlaceholder(mask[i])) {
      ++(after_point ? layout.fraction_places : layout.integer_places);
    } else if (mask[i] == '.') {
      after_point = true;
    } else if (mask[i] == '%' && i > 0 && IsPlaceholder(mask[i - 1])) {
      layout.point_shift += 2;
    }
  }
  return layout;
}

struct FixedDigits {
  std::string integer;   // never empty, no leading zeros
  std::string fraction;  // exactly the mask's fraction places
};

FixedDigits RoundToPlaces(const DecimalExpansion& value, int places) {
  const auto count = static_cast<long long>(value.digits.size());
  const long long point = value.point;
  FixedDigits fixed;
  std::string fraction;
  if (point > 0) {
    fixed.integer = value.digits.substr(0, static_cast<std::size_t>(std::min(point, count)));
    fixed.integer.append(static_cast<std::size_t>(std::max(0LL, point - count)), '0');
    if (point < count) fraction = value.digits.substr(static_cast<std::size_t>(point));
  } else {
    fraction = std::string(static_cast<std::size_t>(-point), '0') + value.digits;
  }
  const auto kept = static_cast<std::size_t>(places);
  fixed.fraction = fraction.substr(0, kept);
  fixed.fraction.append(kept - fixed.fraction.size(), '0');
  const char first_dropped = kept < fraction.size() ? fraction[kept] : '0';
  const bool nonzero_after =
      kept + 1 < fraction.size() && fraction.find_first_not_of('0', kept + 1) != std::string::npos;
  // With no places the integer's last digit decides; an empty integer is a 0.
  const std::string& last_part = kept > 0 ? fixed.fraction : fixed.integer;
  const char last_kept = last_part.empty() ? '0' : last_part.back();
  if (RoundsUp(last_kept, first_dropped, nonzero_after)) {
    std::string all = fixed.integer + fixed.fraction;
    if (Increment(all)) all.insert(all.begin(), '1');
    fixed.integer = all.substr(0, all.size() - kept);
    fixed.fraction = all.substr(all.size() - kept);
  }
  if (fixed.integer.empty()) fixed.integer.push_back('0');
  return fixed;
}

// Writes the digits into the mask from the point outwards, left of it from the
// right, so integer digits that do not fit all go to the leftmost placeholder.
class MaskWriter {
 public:
  MaskWriter(const FixedDigits& digits, const MaskLayout& layout, bool show_sign)
      : digits_(digits), layout_(layout), sign_pending_(show_sign) {}

  std::string Write(std::string_view mask) {
    shown_fraction_ = ShownFractionDigits(mask);
    bool after_point = false;
    for (const char c : mask) {
      if (IsPlaceholder(c) && after_point) {
        WriteFractionPlace();
      } else if (IsPlaceholder(c)) {
        WriteIntegerPlace(c);
      } else if (c == '.' && !after_point) {
        after_point = true;
        if (layout_.integer_places == 0) WriteDigits(digits_.integer);
        out_ += '.';
      } else {
        out_ += c;
      }
    }
    if (!after_point && layout_.integer_places == 0) WriteDigits(digits_.integer);
    return out_;
  }

 private:
  // "#" places after the point drop trailing zeros; a "0" place stops that.
  std::size_t ShownFractionDigits(std::string_view mask) const {
    std::string fraction_places;
    const std::size_t point = mask.find('.');
    if (point != std::string_view::npos) {
      for (const char c : mask.substr(point + 1)) {
        if (IsPlaceholder(c)) fraction_places += c;
      }
    }
    std::size_t shown = digits_.fraction.size();
    while (shown > 0 && fraction_places[shown - 1] == '#' && digits_.fraction[shown - 1] == '0') {
      --shown;
    }
    return shown;
  }

  void WriteIntegerPlace(char placeholder) {
    const std::size_t length = digits_.integer.size();
    const auto places = static_cast<std::size_t>(layout_.integer_places);
    const std::size_t from_right = places - 1 - integer_index_;
    if (integer_index_++ == 0 && length > places) {
      WriteDigits(std::string_view(digits_.integer).substr(0, length - places + 1));
    } else if (from_right < length) {
      WriteDigits(std::string_view(digits_.integer).substr(length - 1 - from_right, 1));
    } else if (placeholder == '0') {
      WriteDigits("0");
    }
  }

  void WriteFractionPlace() {
    if (fraction_index_ < shown_fraction_) {
      WriteDigits(std::string_view(digits_.fraction).substr(fraction_index_, 1));
    }
    ++fraction_index_;
  }

  void WriteDigits(std::string_view digits) {
    if (sign_pending_) out_ += '-';
    sign_pending_ = false;
    out_ += digits;
  }

  const FixedDigits& digits_;
  const MaskLayout& layout_;
  bool sign_pending_;
  std::size_t shown_fraction_ = 0;
  std::size_t integer_index_ = 0;
  std::size_t fraction_index_ = 0;
  std::string out_;
};

// Whether a whole value is odd: its last whole bit, which is a significand bit
// only below 2^64.
bool IsOddWhole(Extended whole) {
  if (whole == Extended(0) || IsInf(whole)) return false;
  const ExtendedParts parts = PartsOf(whole);
  if (parts.exponent > 0 || parts.exponent < -63) return false;
  return ((parts.significand >> -parts.exponent) & 1) != 0;
}

}  // namespace

std::uint8_t ToByte(Extended value) {
  // -2^63 stands for every value with no 64-bit integer; its low byte is 0.
  const Extended two_to_63(0x1p63);
  if (IsNan(value)) return 0;
  // Exact for every |value| below 2^64, so the tie test sees the true fraction.
  Extended whole = Floor(value);
  const Extended fraction = value - whole;
  const Extended half(0.5);
  if (fraction > half || (fraction == half && IsOddWhole(whole))) whole += Extended(1);
  if (whole < -two_to_63 || whole >= two_to_63) return 0;
  return static_cast<std::uint8_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(whole)));
}

std::string NumberText(long long value) {
  // Magnitude in unsigned arithmetic so the most negative value has one too.
  unsigned long long magnitude = static_cast<unsigned long long>(value);
  if (value < 0) magnitude = 0 - magnitude;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return (value < 0 ? "-" : " ") + digits;
}

std::string FormatNumber(Extended value, std::string_view mask) {
  const MaskLayout layout = ReadMask(mask);
  SignedDigits signed_digits = DigitsOf(value);
  if (!signed_digits.magnitude.digits.empty()) signed_digits.magnitude.point += layout.point_shift;
  const FixedDigits fixed = RoundToPlaces(signed_digits.magnitude, layout.fraction_places);
  // A plain 0 carries no sign, but -0.0000 keeps it: it says the value was below zero.
  const bool bare_zero = layout.fraction_places == 0 && fixed.integer == "0";
  return MaskWriter(fixed, layout, signed_digits.negative && !bare_zero).Write(mask);
}

}  // namespace cog
