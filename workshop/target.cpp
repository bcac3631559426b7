#include "workshop/target.h"

#include <cctype>

#include "numtext/quoted_text.h"
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

// ReadTarget without naming what is read: *why starts where "target \"X\""
// would end (" has no known unit ...", ": ...", " must be above zero").
bool ReadLead(std::string_view text, int starts, Target* out, std::string* why, bool* unit_known) {
  const std::string lower = Lower(text);
  std::string number;
  TargetUnit unit;
  *unit_known = SplitUnit(lower, &number, &unit);
  if (!*unit_known) {
    *why = std::string(" has no known unit (write it as ") + kUnitHelp + ")";
    return false;
  }
  Fraction value;
  if (!ReadFraction(number, &value, why)) {
    *why = ": " + *why;
    return false;
  }
  if (!IsPositive(value)) {
    *why = " must be above zero";
    return false;
  }
  Target target;
  target.text = std::string(text);
  target.unit = unit;
  target.starts = starts;
  if (!LeadOf(unit, value, &target.lead) || !ScaleByStarts(starts, &target.lead)) {
    *why = " is too large or too fine to compute exactly";
    return false;
  }
  *out = std::move(target);
  return true;
}

}  // namespace

bool ReadTarget(std::string_view text, int starts, Target* out, std::string* error) {
  if (starts < 1 || starts > kMaxStarts) {
    *error = "starts must be a whole number from 1 to " + std::to_string(kMaxStarts);
    return false;
  }
  std::string why;
  bool unit_known = false;
  if (ReadLead(text, starts, out, &why, &unit_known)) return true;
  *error = "target " + Quoted(text) + why;
  return false;
}

bool ReadLeadscrew(std::string_view text, Fraction* lead_mm, std::string* error) {
  Target target;
  std::string why;
  bool unit_known = false;
  const bool read = ReadLead(text, 1, &target, &why, &unit_known);
  if (!unit_known || (read && target.unit != TargetUnit::kPitchMm && target.unit != TargetUnit::kTpi)) {
    *error = Quoted(text) + " is not a lead screw (write it as 1.5mm or 8tpi)";
    return false;
  }
  if (!read) return *error = Quoted(text) + why, false;
  *lead_mm = target.lead.mm;
  return true;
}

}  // namespace cog
