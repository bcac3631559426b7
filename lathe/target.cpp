#include "lathe/target.h"

#include <algorithm>
#include <cctype>

#include "gears/fraction_text.h"
#include "gears/status.h"
#include "lathe/question_inputs.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

const Fraction kInchMm{127, 5};

struct UnitForm {
  const char* text;
  bool prefix;
  TargetUnit unit;
};

// Longer forms first, so "mm/rev" is not read as "mm" nor "module" as "mod".
constexpr UnitForm kForms[] = {
    {"module", true, TargetUnit::kModule},      {"mod", true, TargetUnit::kModule},
    {"dp", true, TargetUnit::kDiametralPitch},  {"mm/rev", false, TargetUnit::kFeedMm},
    {"in/rev", false, TargetUnit::kFeedInch},   {"ipr", false, TargetUnit::kFeedInch},
    {"mm", false, TargetUnit::kPitchMm},        {"tpi", false, TargetUnit::kTpi},
    {"dp", false, TargetUnit::kDiametralPitch}, {"in", false, TargetUnit::kPitchInch},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Splits "1.25 mm" into its number and unit; false when no unit matches. The
// number may be empty ("mm").
bool SplitUnit(const std::string& lower, std::string* number, TargetUnit* unit) {
  for (const UnitForm& form : kForms) {
    const std::string_view f = form.text;
    if (lower.size() < f.size()) continue;
    const bool at = form.prefix ? lower.compare(0, f.size(), f) == 0
                                : lower.compare(lower.size() - f.size(), f.size(), f) == 0;
    if (!at) continue;
    *number = Trim(form.prefix ? lower.substr(f.size()) : lower.substr(0, lower.size() - f.size()));
    *unit = form.unit;
    return true;
  }
  return false;
}

// A left-hand "LH" at the end, after a blank or "-", taken off.
Hand TakeHand(std::string* text) {
  const std::string lower = Lower(*text);
  if (lower.size() < 3 || lower.compare(lower.size() - 2, 2, "lh") != 0) return Hand::kRight;
  const char before = lower[lower.size() - 3];
  if (before != ' ' && before != '\t' && before != '-') return Hand::kRight;
  *text = Trim(text->substr(0, text->size() - 3));
  return Hand::kLeft;
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
    case TargetUnit::kPitchInch:
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

constexpr const char* kUnitHelp =
    "1.25mm, 20tpi, 0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr";

// A figure with its unit ("1.25mm", "mod 1.5"), without naming what it is
// the figure of: *why starts where a quoted text would end (" has no known
// unit ...", ": ...", " must be above zero"). *unit_known: a unit was found.
bool ReadFigure(const std::string& text, TargetUnit* unit, Fraction* value, std::string* why,
                bool* unit_known) {
  std::string number;
  // Blanks inside a unit ("mm / rev") and mixed numbers ("11 1/2", "11½")
  // as machinists write them.
  *unit_known = SplitUnit(MachinistText(text), &number, unit);
  if (!*unit_known)
    return *why = std::string(" has no known unit (write it as ") + kUnitHelp + ")", false;
  if (number.empty()) return *why = " has no number before its unit", false;
  if (number.find(',') != std::string::npos) {
    std::string dotted = text;
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    return *why = " has a decimal comma: write a point, " + Quoted(dotted), false;
  }
  if (!ReadMixedNumber(number, value, why)) return *why = ": " + *why, false;
  if (!IsPositive(*value)) return *why = " must be above zero", false;
  return true;
}

}  // namespace

bool ReadTarget(std::string_view text, int starts, Target* out, std::string* error) {
  if (const Status bad = CheckInput(kStartsInput, starts); !bad.ok())
    return *error = "starts: " + bad.why(), false;
  Target target;
  target.text = std::string(text);
  target.starts = starts;
  std::string core = Trim(text);
  // "M8x1,25", "1,25mm": a decimal comma, as much of Europe writes it.
  for (std::size_t i = 1; i + 1 < core.size(); ++i)
    if (core[i] == ',' && std::isdigit(static_cast<unsigned char>(core[i - 1])) &&
        std::isdigit(static_cast<unsigned char>(core[i + 1]))) {
      std::string dotted(text);
      std::replace(dotted.begin(), dotted.end(), ',', '.');
      return *error = "target " + Quoted(text) + " has a decimal comma: write a point, " +
                      Quoted(dotted),
             false;
    }
  target.hand = TakeHand(&core);
  Designation named;
  std::string why;
  switch (FindDesignation(core, &named, &why)) {
    case DesignationMatch::kFound:
      target.designation = named;
      core = named.thread->target;
      if (named.starts > 1 && starts != 1 && starts != named.starts)
        return *error = "target " + Quoted(text) + " has " + std::to_string(named.starts) +
                        " starts, not " + std::to_string(starts),
               false;
      target.starts = named.starts > 1 ? named.starts : starts;
      break;
    case DesignationMatch::kUnknownSize:
      return *error = "target " + Quoted(text) + " " + why, false;
    case DesignationMatch::kNotADesignation:
      break;
  }
  Fraction value;
  bool unit_known = false;
  if (!ReadFigure(core, &target.unit, &value, &why, &unit_known))
    return *error = "target " + Quoted(text) + why, false;
  // Starts and hand are a thread's; on a feed they would silently change
  // what the carriage does.
  if (IsFeed(target.unit) && target.starts != 1)
    return *error =
               "target " + Quoted(text) + " is a feed, which has no starts: starts are for threads",
           false;
  if (IsFeed(target.unit) && target.hand == Hand::kLeft)
    return *error = "target " + Quoted(text) + " is a feed, which has no hand: LH is for threads",
           false;
  if (!LeadOf(target.unit, value, &target.lead) || !ScaleByStarts(target.starts, &target.lead))
    return *error = "target " + Quoted(text) + " is too large or too fine to compute exactly",
           false;
  *out = std::move(target);
  return true;
}

bool ReadLeadscrew(std::string_view text, Fraction* lead_mm, std::string* error) {
  const std::string trimmed = Trim(text);
  TargetUnit unit;
  Fraction value;
  std::string why;
  bool unit_known = false;
  const bool read = ReadFigure(trimmed, &unit, &value, &why, &unit_known);
  const bool pitch =
      unit == TargetUnit::kPitchMm || unit == TargetUnit::kTpi || unit == TargetUnit::kPitchInch;
  if (!unit_known || !pitch)
    return *error = Quoted(text) + " is not a lead screw (write it as 1.5mm, 8tpi or 0.0625in)",
           false;
  if (!read) return *error = Quoted(text) + why, false;
  Lead lead;
  if (!LeadOf(unit, value, &lead))
    return *error = Quoted(text) + " is too large or too fine to compute exactly", false;
  *lead_mm = lead.mm;
  return true;
}

}  // namespace cog
