#include "gears/length_text.h"

#include "gears/fraction_text.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool EndsWithUnit(std::string_view text, std::string_view unit) {
  if (text.size() < unit.size()) return false;
  const std::string_view tail = text.substr(text.size() - unit.size());
  for (std::size_t i = 0; i < unit.size(); ++i)
    if ((tail[i] | 0x20) != unit[i]) return false;
  return true;
}

}  // namespace

bool ReadLength(std::string_view text, bool pitch, Fraction* mm, std::string* error) {
  const std::string_view trimmed = Trim(text);
  const char* units[] = {"mm", "in", "tpi"};
  int unit = -1;
  for (int i = 0; i < (pitch ? 3 : 2); ++i)
    if (EndsWithUnit(trimmed, units[i])) unit = i;
  if (unit < 0)
    return *error = Quoted(text) + " is not a length (write it as 250mm or 9.5in" +
                    (pitch ? ", or a pitch as 4tpi)" : ")"),
           false;
  const std::string_view number =
      Trim(trimmed.substr(0, trimmed.size() - std::string_view(units[unit]).size()));
  Fraction value;
  std::string why;
  if (!ReadFraction(number, &value, &why)) return *error = Quoted(text) + ": " + why, false;
  if (!IsPositive(value)) return *error = Quoted(text) + " must be above zero", false;
  const Fraction inch{127, 5};
  const bool fits = unit == 0   ? (*mm = value, true)
                    : unit == 1 ? Multiply(value, inch, mm)
                                : Divide(inch, value, mm);
  if (!fits) return *error = Quoted(text) + " is too large or too fine to compute exactly", false;
  return true;
}

}  // namespace cog
