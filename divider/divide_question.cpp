#include "divider/divide_question.h"

#include <algorithm>
#include <charconv>

#include "divider/angle.h"
#include "divider/divide_chart.h"
#include "divider/indexing.h"
#include "gears/fraction_text.h"
#include "gears/length_text.h"
#include "numtext/quoted_text.h"

namespace cog {

bool ReadDivideQuestion(std::string_view text, DivideQuestion* out, std::string* error) {
  const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                   [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) {
    Fraction degrees;
    if (!ReadAngle(text, &degrees, error)) return false;
    *out = {0, degrees};
    return true;
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxDivisions) {
    *error = "the number of divisions must be a whole number from 1 to " +
             std::to_string(kMaxDivisions) + ", not " + Quoted(text);
    return false;
  }
  *out = {value, Fraction{}};
  return true;
}

bool CheckDivideTop(int top, std::string* error) {
  if (top >= 1 && top <= kMaxDivideTop) return true;
  *error = "the number of ways must be from 1 to " + std::to_string(kMaxDivideTop);
  return false;
}

bool CheckChartRange(int from, int to, std::string* error, std::string* which) {
  const std::string range = "from 1 to " + std::to_string(kMaxDivisions);
  if (from < 1 || from > kMaxDivisions) {
    *which = "from";
    *error = "FROM must be a number of divisions " + range;
  } else if (to < 1 || to > kMaxDivisions) {
    *which = "to";
    *error = "TO must be a number of divisions " + range;
  } else if (from > to) {
    *which = "to";
    *error = "FROM is above TO";
  } else if (to - from + 1 > kMaxChartLines) {
    *which = "to";
    *error = "that is " + std::to_string(to - from + 1) + " numbers; a chart has at most " +
             std::to_string(kMaxChartLines);
  } else {
    return true;
  }
  return false;
}

bool ReadHelixLead(std::string_view text, Fraction* lead_mm, std::string* error, bool* inches) {
  // The inch as drawings write it is "in" to the length reader.
  std::string_view number = text;
  while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
  bool in = false;
  for (std::string_view unit : {"inches", "inch", "in", "\""}) {
    if (number.size() > unit.size() && number.substr(number.size() - unit.size()) == unit) {
      number.remove_suffix(unit.size());
      in = true;
      break;
    }
  }
  std::string why;
  const std::string written = in ? std::string(number) + "in" : std::string(text);
  if (ReadLength(written, false, lead_mm, &why)) {
    if (inches) *inches = in;
    return true;
  }
  if (in) ReadLength(text, false, lead_mm, &why);  // name the text as the user wrote it
  *error = "lead " + why;
  return false;
}

bool ReadHelixAngle(std::string_view text, Fraction* degrees, HelixHand* hand, std::string* error) {
  std::string_view angle = text;
  *hand = HelixHand::kRight;
  for (std::string_view mark : {"RH", "LH", "rh", "lh", "R", "L", "r", "l"})
    if (angle.size() > mark.size() && angle.substr(angle.size() - mark.size()) == mark) {
      *hand = (mark[0] == 'L' || mark[0] == 'l') ? HelixHand::kLeft : HelixHand::kRight;
      angle.remove_suffix(mark.size());
      break;
    }
  while (!angle.empty() && angle.back() == ' ') angle.remove_suffix(1);
  const bool plain = !angle.empty() && std::all_of(angle.begin(), angle.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '.';
  });
  std::string why;
  if (plain ? !ReadFraction(angle, degrees, &why) : !ReadAngle(angle, degrees, &why))
    return *error = "the helix angle " + Quoted(text) +
                    " is not an angle (22.5R, 22.5L, 22d30mR: degrees, then R or L for the "
                    "hand)",
           false;
  if (!IsPositive(*degrees) || Compare(*degrees, Whole(90)) >= 0)
    return *error = "the helix angle " + Quoted(text) + " is not above 0 and below 90 degrees",
           false;
  return true;
}

bool ReadDiameter(std::string_view text, Fraction* mm, std::string* error) {
  return ReadLength(text, false, mm, error);
}

bool ReadDivideMethod(std::string_view text, Method* method, std::string* error) {
  const std::pair<std::string_view, Method> names[] = {{"direct", Method::kDirect},
                                                       {"simple", Method::kSimple},
                                                       {"compound", Method::kCompound},
                                                       {"differential", Method::kDifferential}};
  for (const auto& [name, m] : names)
    if (text == name) return *method = m, true;
  *error = Quoted(text) + " is not a method: direct, simple, compound or differential";
  return false;
}

bool ReadHelixTolerance(std::string_view text, Fraction* percent, std::string* error) {
  error->clear();
  if (ReadRatio(text, percent, error) && IsPositive(*percent)) return true;
  if (error->empty()) *error = "the tolerance must be above zero";
  return false;
}

}  // namespace cog
