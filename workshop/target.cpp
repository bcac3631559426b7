#include "workshop/target.h"

#include <cctype>

#include "workshop/fraction_text.h"

namespace cog {
namespace {

const Fraction kInchMm{127, 5};

struct UnitForm {
  const char* text;
  bool prefix;
  TargetUnit unit;
};

// Longer suffixes first, so "mm/rev" is not read as "mm".
constexpr UnitForm kForms[] = {
    {"dp", true, TargetUnit::kDiametralPitch}, {"m", true, TargetUnit::kModule},
    {"mm/rev", false, TargetUnit::kFeedMm},    {"in/rev", false, TargetUnit::kFeedInch},
    {"mm", false, TargetUnit::kPitchMm},       {"tpi", false, TargetUnit::kTpi},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Splits "1.25mm" into its number and unit; false when no unit matches.
bool SplitUnit(const std::string& lower, std::string* number, TargetUnit* unit) {
  for (const UnitForm& form : kForms) {
    const std::string_view f = form.text;
    if (lower.size() <= f.size()) continue;
    if (form.prefix && lower.compare(0, f.size(), f) == 0) {
      *number = lower.substr(f.size());
      *unit = form.unit;
      return true;
    }
    if (!form.prefix && lower.compare(lower.size() - f.size(), f.size(), f) == 0) {
      *number = lower.substr(0, lower.size() - f.size());
      *unit = form.unit;
      return true;
    }
  }
  return false;
}

// The lead in mm of `value` in `unit`, exact except for the worms.
bool LeadOf(TargetUnit unit, const Fraction& value, Lead* lead) {
  Fraction mm;
  switch (unit) {
    case TargetUnit::kPitchMm:
    case TargetUnit::kFeedMm:
      mm = value;
      break;
    case TargetUnit::kTpi:
      if (!Divide(kInchMm, value, &mm)) return false;
      break;
    case TargetUnit::kFeedInch:
      if (!Multiply(kInchMm, value, &mm)) return false;
      break;
    case TargetUnit::kModule:
    case TargetUnit::kDiametralPitch: {
      Fraction module = value;
      if (unit == TargetUnit::kDiametralPitch && !Divide(kInchMm, value, &module)) return false;
      lead->exact = false;
      lead->approx_mm = ExtendedPi() * Extended(module.num) / Extended(module.den);
      return true;
    }
  }
  lead->exact = true;
  lead->mm = mm;
  lead->approx_mm = ToExtended(mm);
  return true;
}

bool ScaleByStarts(int starts, Lead* lead) {
  if (!lead->exact) {
    lead->approx_mm *= starts;
    return true;
  }
  if (!Multiply(lead->mm, Whole(starts), &lead->mm)) return false;
  lead->approx_mm = ToExtended(lead->mm);
  return true;
}

constexpr const char* kUnitHelp = "1.25mm, 20tpi, m1.5, dp16, 0.1mm/rev or 0.004in/rev";

}  // namespace

bool ReadTarget(std::string_view text, int starts, Target* out, std::string* error) {
  const std::string lower = Lower(text);
  std::string number;
  TargetUnit unit;
  if (!SplitUnit(lower, &number, &unit)) {
    *error =
        "target \"" + std::string(text) + "\" has no known unit (write it as " + kUnitHelp + ")";
    return false;
  }
  Fraction value;
  std::string why;
  if (!ReadFraction(number, &value, &why)) {
    *error = "target \"" + std::string(text) + "\": " + why;
    return false;
  }
  if (!IsPositive(value)) {
    *error = "target \"" + std::string(text) + "\" must be above zero";
    return false;
  }
  if (starts < 1 || starts > kMaxStarts) {
    *error = "starts must be a whole number from 1 to " + std::to_string(kMaxStarts);
    return false;
  }
  Target target;
  target.text = std::string(text);
  target.unit = unit;
  target.starts = starts;
  if (!LeadOf(unit, value, &target.lead) || !ScaleByStarts(starts, &target.lead)) {
    *error = "target \"" + std::string(text) + "\" is too large or too fine to compute exactly";
    return false;
  }
  *out = std::move(target);
  return true;
}

bool ReadLeadscrew(std::string_view text, Fraction* lead_mm, std::string* error) {
  Target target;
  std::string why;
  if (!ReadTarget(text, 1, &target, &why)) {
    *error = "lead screw: " + why;
    return false;
  }
  if (target.unit != TargetUnit::kPitchMm && target.unit != TargetUnit::kTpi) {
    *error = "lead screw \"" + std::string(text) + "\" must be a pitch such as 1.5mm or 8tpi";
    return false;
  }
  *lead_mm = target.lead.mm;
  return true;
}

}  // namespace cog
