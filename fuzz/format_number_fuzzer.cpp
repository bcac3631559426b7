// Every float bit pattern and every extended value through the three masks of
// the result boxes: the text must be well formed, carry the right sign, and
// read back to the value it shows.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_values.h"
#include "numtext/number_format.h"
#include "numtext/number_reader.h"

namespace cog::fuzz {
namespace {

constexpr std::string_view kRatioMask = "####.######";
constexpr std::string_view kGearMask = "####";
constexpr std::string_view kErrorMask = "0.0000%";

// Where the read-back is checked: here the extended value converts to and from
// decimal with errors far below the last place shown.
constexpr long double kSaneMagnitude = 1e6L;

struct Shape {
  bool negative = false;
  std::string integer;
  bool has_point = false;
  std::string fraction;
  bool percent = false;
};

bool AllDigits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Splits "-123.45%" into its parts; false when the text has any other form.
bool ParseShape(std::string_view text, Shape& shape) {
  if (!text.empty() && text.front() == '-') {
    shape.negative = true;
    text.remove_prefix(1);
  }
  if (!text.empty() && text.back() == '%') {
    shape.percent = true;
    text.remove_suffix(1);
  }
  const std::size_t point = text.find('.');
  shape.has_point = point != std::string_view::npos;
  shape.integer = std::string(text.substr(0, point));
  if (shape.has_point) shape.fraction = std::string(text.substr(point + 1));
  return !shape.integer.empty() && AllDigits(shape.integer) && AllDigits(shape.fraction) &&
         (shape.integer == "0" || shape.integer.front() != '0');
}

// Digits from the first non-zero one to the last non-zero one.
std::size_t SignificantDigits(const Shape& shape) {
  const std::string all = shape.integer + shape.fraction;
  const std::size_t first = all.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  return all.find_last_not_of('0') - first + 1;
}

// The value taken to 18 significant digits, as the formatter starts from.
long double EighteenDigits(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17Le", value);
  return std::strtold(text, nullptr);
}

void CheckReadBack(long double value, const std::string& text, long double scale,
                   long double half_unit) {
  if (!(std::fabs(value) <= kSaneMagnitude)) return;
  std::string number = text;
  if (!number.empty() && number.back() == '%') number.pop_back();
  const long double shown = ReadNumber(number);
  const long double expected = EighteenDigits(value) * scale;
  // Allow for the rounding of the two conversions at 64 bits.
  const long double slack = std::fabs(expected) * 0x1p-60L + 0x1p-60L;
  Require(std::fabs(shown - expected) <= half_unit + slack,
          "the text reads back within half a unit of its last place");
}

void CheckSign(long double value, const Shape& shape) {
  if (std::isnan(value)) {
    Require(!shape.negative, "NaN shows no sign");
    return;
  }
  if (shape.negative) Require(std::signbit(value), "a minus sign only for a negative value");
  if (SignificantDigits(shape) > 0) {
    Require(shape.negative == (value < 0), "a non-zero text carries the value's sign");
  }
}

void CheckInfinity(long double value, const Shape& shape, std::size_t fraction_places) {
  if (!std::isinf(value)) {
    Require(shape.integer.size() <= 4935, "no more integer digits than the value has");
    Require(SignificantDigits(shape) <= 18, "at most 18 significant digits");
    return;
  }
  const std::string expected = std::string(19, '9') + std::string(980, '0');
  Require(shape.integer == expected + (shape.percent ? "00" : ""),
          "an infinity shows nineteen nines, then zeros, 999 digits before the point");
  Require(shape.fraction == std::string(fraction_places, '0'), "an infinity has no fraction");
}

void CheckMask(long double value, std::string_view mask, std::size_t fraction_places,
               bool trailing_zeros_dropped, long double scale) {
  const std::string text = FormatNumber(value, mask);
  Shape shape;
  Require(ParseShape(text, shape), "only a sign, digits, a point and a percent sign");
  Require(shape.has_point == (fraction_places > 0 || mask == kRatioMask), "a point as masked");
  Require(shape.percent == (mask == kErrorMask), "a percent sign as masked");
  if (trailing_zeros_dropped) {
    Require(shape.fraction.size() <= fraction_places, "at most the masked fraction places");
    Require(shape.fraction.empty() || shape.fraction.back() != '0', "trailing zeros are dropped");
  } else {
    Require(shape.fraction.size() == fraction_places, "exactly the masked fraction places");
  }
  if (std::isnan(value)) {
    Require(SignificantDigits(shape) == 0, "NaN shows as zero");
  }
  if (fraction_places == 0) Require(text != "-0", "a bare zero carries no sign");
  CheckSign(value, shape);
  CheckInfinity(value, shape, trailing_zeros_dropped ? 0 : fraction_places);
  CheckReadBack(value, text, scale, 0.5L / std::pow(10.0L, fraction_places));
}

void CheckAllMasks(long double value) {
  CheckMask(value, kRatioMask, 6, true, 1);
  CheckMask(value, kGearMask, 0, false, 1);
  CheckMask(value, kErrorMask, 4, false, 100);
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog::fuzz;
  std::uint8_t bytes[10] = {};
  for (std::size_t i = 0; i < size && i < 10; ++i) bytes[i] = data[i];
  // The ratios and the match error are floats widened exactly; the formatter
  // takes any extended value, so those are tried too.
  CheckAllMasks(FloatFromBytes(bytes));
  if (size >= 10) CheckAllMasks(ExtendedFromBytes(bytes));
  return 0;
}
