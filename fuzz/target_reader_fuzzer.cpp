// Arbitrary bytes as a target and as a fraction text. The first byte picks the
// number of starts (boundary values included; '#' gives 1, as in most seeds),
// the rest is the target text for ReadTarget and the angle text for
// ReadAngle; ReadFraction reads both that text and the whole input.
//
// Values are checked against the C library's own decimal conversion (strtod,
// strtold) and against 128-bit cross products, never against the readers'
// arithmetic.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>

#include "divider/angle.h"
#include "fuzz/fuzz_check.h"
#include "gears/fraction.h"
#include "gears/fraction_text.h"
#include "lathe/target.h"
#include "numtext/extended.h"

namespace cog::fuzz {
namespace {

// The readers' extended figures are compared with long double references.
static_assert(std::is_same_v<Extended, long double>, "Extended is the x87 long double here");

// Indexed by the first byte % 16: mostly small valid counts, and both ends of
// 1..kMaxStarts with their outside neighbours.
constexpr int kStarts[16] = {-1, 0, 1, 1, 1, 1, 2, 3, 4, 6, 10, 99, 100, 101, INT_MIN, INT_MAX};

constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr long double kInchMm = 25.4L;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What a message shows of a text: its first 40 bytes, control characters
// written as \xNN.
std::string Excerpt(std::string_view text) {
  std::string out;
  for (const char c : text.substr(0, 40)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b != 0x7f) {
      out += c;
      continue;
    }
    const char hex[] = "0123456789abcdef";
    out += {'\\', 'x', hex[b >> 4], hex[b & 15]};
  }
  return out;
}

// One side of a fraction text, by the grammar fraction_text.h states: a sign,
// digits with at most one point (at least one digit), then an optional E or e
// with a sign and at most 4 digits.
struct DecimalShape {
  bool valid = false;
  bool exponent = false;
  bool zero = true;       // every digit is 0
  bool negative = false;  // a leading -
  int digits = 0;         // before any exponent
  int fraction_digits = 0;
  int significant = 0;  // from the first to the last non-zero digit
};

DecimalShape ShapeOf(std::string_view t) {
  DecimalShape s;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) s.negative = t[i++] == '-';
  bool point = false;
  int first_nonzero = -1, last_nonzero = -1;
  for (; i < t.size(); ++i) {
    if (t[i] == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(t[i])) break;
    if (point) ++s.fraction_digits;
    if (t[i] != '0') {
      s.zero = false;
      if (first_nonzero < 0) first_nonzero = s.digits;
      last_nonzero = s.digits;
    }
    ++s.digits;
  }
  if (s.digits == 0) return s;
  s.significant = first_nonzero < 0 ? 0 : last_nonzero - first_nonzero + 1;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    s.exponent = true;
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t start = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    if (i == start || i - start > 4) return s;
  }
  s.valid = i == t.size();
  return s;
}

std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

void CheckReduced(const Fraction& f) {
  Require(f.den > 0, "a fraction's denominator is positive");
  Require(std::gcd(Magnitude(f.num), static_cast<std::uint64_t>(f.den)) == 1,
          "a fraction is reduced (zero is 0/1)");
}

long double Approx(const Fraction& f) {
  return static_cast<long double>(f.num) / static_cast<long double>(f.den);
}

// A plain integer text (a sign and at most 18 digits) as its value.
std::int64_t PlainInteger(std::string_view t) {
  std::size_t i = 0;
  const bool negative = !t.empty() && t[0] == '-';
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) i = 1;
  std::int64_t value = 0;
  for (; i < t.size(); ++i) value = value * 10 + (t[i] - '0');
  return negative ? -value : value;
}

bool IsPlainInteger(const DecimalShape& s, std::string_view t) {
  return s.valid && !s.exponent && s.fraction_digits == 0 &&
         t.find('.') == std::string_view::npos && s.digits <= 18;
}

void CheckReadFraction(std::string_view text) {
  Fraction f;
  std::string error;
  const bool ok = ReadFraction(text, &f, &error);
  const std::size_t slash = text.find('/');
  const std::string_view top = text.substr(0, slash);
  const std::string_view bottom =
      slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
  const DecimalShape a = ShapeOf(top);
  const DecimalShape b = slash == std::string_view::npos ? DecimalShape() : ShapeOf(bottom);

  if (!ok) {
    Require(!error.empty(), "a refused fraction comes with a message");
    // Beyond ASCII the escapes of Quoted are its own unit table's to check.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    Require(!ascii || error.find("\"" + Excerpt(text)) != std::string::npos,
            "a fraction's message quotes the text, or its first 40 bytes");
    // A plain decimal of at most 18 digits is exact in 64 bits.
    Require(!(slash == std::string_view::npos && a.valid && !a.exponent && a.digits <= 18),
            "a plain decimal of at most 18 digits is read");
    Require(!(IsPlainInteger(a, top) && IsPlainInteger(b, bottom) && !b.zero),
            "a quotient of two integers of at most 18 digits is read");
    return;
  }

  CheckReduced(f);
  Require(a.valid && a.significant <= 18, "only a decimal of at most 18 significant digits reads");
  if (slash != std::string_view::npos) {
    Require(b.valid && b.significant <= 18, "both sides of a fraction are decimals");
    Require(!b.zero, "a fraction never divides by zero");
  }

  if (slash == std::string_view::npos) {
    const std::string copy(text);
    // num and den are exact at extended precision, so num / den and strtold
    // are each within half a unit of the decimal's value.
    const long double expected = std::strtold(copy.c_str(), nullptr);
    Require(std::fabs(Approx(f) - expected) <= std::ldexp(std::fabs(expected), -62),
            "a decimal reads as the value strtold gives");
    // Without an exponent and with at most 15 significant digits, either the
    // value is whole (den 1, so num / den rounds once) or |num| < 10^15 < 2^53
    // and den divides 10^18 (2^a 5^b, b <= 18): both exact doubles, and the
    // one rounding of the division is the correctly rounded value strtod gives.
    if (!a.exponent && a.significant <= 15 && a.fraction_digits <= 18) {
      const double value = static_cast<double>(f.num) / static_cast<double>(f.den);
      Require(value == std::strtod(copy.c_str(), nullptr),
              "a short decimal is exactly the double strtod gives");
    }
  } else if (IsPlainInteger(a, top) && IsPlainInteger(b, bottom)) {
    const std::int64_t p = PlainInteger(top), q = PlainInteger(bottom);
    Require(static_cast<__int128>(f.num) * q == static_cast<__int128>(p) * f.den,
            "p/q reads as a fraction equal to p/q");
  }
}

std::string Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return std::string(t);
}

// The blanks and marks the readers forgive, as designation.h states them:
// inch marks dropped, any run of blanks as one, none at the ends nor beside
// "/". (Mixed numbers are judged where the number is read.)
std::string Forgiven(std::string_view lower) {
  std::string out;
  for (const char c : lower) {
    if (c == '"') continue;
    const bool blank = c == ' ' || (c >= '\t' && c <= '\r');
    if (!blank) {
      if (c == '/' && !out.empty() && out.back() == ' ') out.pop_back();
      out += c;
    } else if (!out.empty() && out.back() != ' ' && out.back() != '/') {
      out += ' ';
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The unit forms target.h lists, as it lists them: "module", "mod" and "dp"
// before the number, "mm/rev", "in/rev", "ipr", "mm", "tpi", "dp" and "in"
// after it, with blanks allowed between; and "LH" at the end after a blank
// or "-".
bool SplitTarget(const std::string& lower, std::string* number, TargetUnit* unit) {
  struct Form {
    std::string_view text;
    bool prefix;
    TargetUnit unit;
  };
  static constexpr Form kForms[] = {
      {"module", true, TargetUnit::kModule},      {"mod", true, TargetUnit::kModule},
      {"dp", true, TargetUnit::kDiametralPitch},  {"mm/rev", false, TargetUnit::kFeedMm},
      {"in/rev", false, TargetUnit::kFeedInch},   {"ipr", false, TargetUnit::kFeedInch},
      {"mm", false, TargetUnit::kPitchMm},        {"tpi", false, TargetUnit::kTpi},
      {"dp", false, TargetUnit::kDiametralPitch}, {"in", false, TargetUnit::kPitchInch},
  };
  const std::string forgiven = Forgiven(lower);
  std::string_view t = forgiven;
  std::string trimmed = Trim(t);
  if (trimmed.size() >= 3 && trimmed.ends_with("lh") &&
      (trimmed[trimmed.size() - 3] == ' ' || trimmed[trimmed.size() - 3] == '\t' ||
       trimmed[trimmed.size() - 3] == '-'))
    trimmed = Trim(std::string_view(trimmed).substr(0, trimmed.size() - 3));
  t = trimmed;
  for (const Form& form : kForms) {
    if (t.size() < form.text.size()) continue;
    if (form.prefix ? t.starts_with(form.text) : t.ends_with(form.text)) {
      *number =
          Trim(form.prefix ? t.substr(form.text.size()) : t.substr(0, t.size() - form.text.size()));
      *unit = form.unit;
      return true;
    }
  }
  return false;
}

// The lead in mm of `value` in `unit`, computed afresh at extended precision.
long double ExpectedLead(TargetUnit unit, long double value) {
  switch (unit) {
    case TargetUnit::kPitchMm:
    case TargetUnit::kFeedMm:
      return value;
    case TargetUnit::kTpi:
      return kInchMm / value;
    case TargetUnit::kPitchInch:
    case TargetUnit::kFeedInch:
      return kInchMm * value;
    case TargetUnit::kModule:
      return kPi * value;
    case TargetUnit::kDiametralPitch:
      return kPi * kInchMm / value;
  }
  return 0;
}

bool IsShortPrintable(std::string_view text) {
  if (text.size() > 40) return false;
  for (const char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

void CheckReadTarget(std::string_view text, int starts) {
  Target target;
  std::string error;
  const bool ok = ReadTarget(text, starts, &target, &error);
  const bool starts_valid = starts >= 1 && starts <= kMaxStarts;

  std::string lower;
  for (const char c : text) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  std::string number;
  TargetUnit unit = TargetUnit::kPitchMm;
  const bool has_unit = SplitTarget(lower, &number, &unit);
  const DecimalShape shape = ShapeOf(number);
  const bool plain = has_unit && shape.valid && number.find('/') == std::string::npos;

  if (!ok) {
    Require(!error.empty(), "a refused target comes with a message");
    // Every refusal of the text itself quotes it; an out-of-range count of
    // starts is told without the text.
    if (starts_valid && IsShortPrintable(text) && text.find('"') == std::string_view::npos) {
      Require(error.find("\"" + std::string(text) + "\"") != std::string::npos,
              "a refused target's message quotes the text");
    }
    // With at most 12 digits even 25.4 / 10^-12 x 100 starts fits in 64 bits.
    Require(!(starts_valid && plain && !shape.exponent && shape.digits <= 12 && !shape.zero &&
              !shape.negative),
            "a positive plain decimal of at most 12 digits with a known unit is read");
    return;
  }

  Require(starts_valid, "starts outside 1..kMaxStarts are refused");
  Require(target.text == text, "the target keeps its text");
  if (target.designation) {
    // A named thread cuts its table's lead, read as that figure.
    Target figure;
    Require(target.starts == starts || (starts == 1 && target.starts == target.designation->starts),
            "a named thread keeps the starts, or gives its own");
    Require(ReadTarget(target.designation->thread->target, target.starts, &figure, &error),
            "a table's lead reads");
    Require(figure.lead.approx_mm == target.lead.approx_mm, "a named thread has its table's lead");
    return;
  }
  Require(target.starts == starts, "the target keeps its starts");
  Require(std::isfinite(target.lead.approx_mm) && target.lead.approx_mm > 0,
          "the lead is positive");
  // The signs U+00D7, U+2033 and the fraction signs are the reader's to fold.
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return;
  Require(has_unit, "a read target has one of the documented units");
  Require(target.unit == unit, "the unit is the one the text names");
  Require(target.text == text, "the target keeps its text");
  Fraction value;
  std::string why;
  // A mixed number, "11 1/2" or "11-1/2": a whole number and a fraction.
  const std::size_t dash = number.find_first_of(" -", 1);
  const std::size_t slash = number.find('/');
  if (dash != std::string::npos && slash != std::string::npos && slash > dash) {
    Fraction whole, part;
    Require(ReadFraction(number.substr(0, dash), &whole, &why) &&
                ReadFraction(number.substr(dash + 1), &part, &why) && Add(whole, part, &value) &&
                IsPositive(value),
            "the number of a read target is a positive mixed number");
  } else {
    Require(ReadFraction(number, &value, &why) && IsPositive(value),
            "the number of a read target is a positive fraction text");
  }

  const Lead& lead = target.lead;
  Require(std::isfinite(lead.approx_mm) && lead.approx_mm > 0, "the lead is positive");
  const bool worm = unit == TargetUnit::kModule || unit == TargetUnit::kDiametralPitch;
  Require(lead.exact == !worm, "exact except for the two worm forms");
  if (lead.exact) {
    Require(lead.mm.num > 0 && lead.mm.den > 0, "an exact lead is positive");
    CheckReduced(lead.mm);
    Require(std::fabs(lead.approx_mm - Approx(lead.mm)) <= 1e-15L * Approx(lead.mm),
            "an exact lead's approximation is its value");
  }
  if (plain) {
    const long double expected = ExpectedLead(unit, std::strtold(number.c_str(), nullptr)) * starts;
    Require(std::fabs(lead.approx_mm - expected) <= 1e-12L * expected,
            "the lead is the number in its unit, times the starts");
  }
}

// An angle is refused with words, or read to exact degrees above 0 and below
// 360; its name reads back to the same angle whenever it is whole seconds.
void CheckReadAngle(std::string_view text) {
  Fraction degrees;
  if (const Status refused = ReadAngle(text, &degrees); !refused.ok()) {
    const std::string& error = refused.why();
    Require(!error.empty(), "a refused angle comes with a message");
    if (IsShortPrintable(text) && !text.empty() && text.find('"') == std::string_view::npos)
      Require(error.find("\"" + std::string(text) + "\"") != std::string::npos,
              "a refused angle's message quotes the text");
    return;
  }
  CheckReduced(degrees);
  Require(degrees.num > 0 &&
              static_cast<__int128>(degrees.num) < static_cast<__int128>(360) * degrees.den,
          "an angle is above 0 and below 360 degrees");
  if ((3600 % degrees.den) != 0) return;
  Fraction again;
  Require(ReadAngle(AngleText(degrees), &again).ok() && again == degrees,
          "an angle's name reads back to the same angle");
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog::fuzz;
  const std::string_view whole(reinterpret_cast<const char*>(data), size);
  CheckReadFraction(whole);
  if (size == 0) return 0;
  const int starts = kStarts[data[0] % 16];
  const std::string_view text = whole.substr(1);
  CheckReadFraction(text);
  CheckReadTarget(text, starts);
  CheckReadAngle(text);
  return 0;
}
