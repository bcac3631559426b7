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

Status ReadDivideQuestion(std::string_view text, DivideQuestion* out) {
  const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                   [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) {
    Fraction degrees;
    if (Status bad = ReadAngle(text, &degrees); !bad.ok()) return bad;
    *out = {0, degrees};
    return Status::Ok();
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxDivisions)
    return Status::Refused("divisions",
                           "the number of divisions must be a whole number from 1 to " +
                               std::to_string(kMaxDivisions) + ", not " + Quoted(text));
  *out = {value, Fraction{}};
  return Status::Ok();
}

Status CheckDivideTop(int top) {
  if (top >= 1 && top <= kMaxDivideTop) return Status::Ok();
  return Status::Refused("top",
                         "the number of ways must be from 1 to " + std::to_string(kMaxDivideTop));
}

Status CheckChartRange(int from, int to) {
  const std::string range = "from 1 to " + std::to_string(kMaxDivisions);
  if (from < 1 || from > kMaxDivisions)
    return Status::Refused("from", "FROM must be a number of divisions " + range);
  if (to < 1 || to > kMaxDivisions)
    return Status::Refused("to", "TO must be a number of divisions " + range);
  if (from > to) return Status::Refused("to", "FROM is above TO");
  if (to - from + 1 > kMaxChartLines)
    return Status::Refused("to", "that is " + std::to_string(to - from + 1) +
                                     " numbers; a chart has at most " +
                                     std::to_string(kMaxChartLines));
  return Status::Ok();
}

Status ReadHelixLead(std::string_view text, Fraction* lead_mm, bool* inches) {
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
    return Status::Ok();
  }
  if (in) ReadLength(text, false, lead_mm, &why);  // name the text as the user wrote it
  return Status::Refused("lead", "lead " + why);
}

Status ReadHelixAngle(std::string_view text, Fraction* degrees, HelixHand* hand) {
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
  if (plain ? !ReadFraction(angle, degrees, &why) : !ReadAngle(angle, degrees).ok())
    return Status::Refused("angle", "the helix angle " + Quoted(text) +
                                        " is not an angle (22.5R, 22.5L, 22d30mR: degrees, then "
                                        "R or L for the hand)");
  if (!IsPositive(*degrees) || Compare(*degrees, Whole(90)) >= 0)
    return Status::Refused(
        "angle", "the helix angle " + Quoted(text) + " is not above 0 and below 90 degrees");
  return Status::Ok();
}

Status ReadDiameter(std::string_view text, Fraction* mm) {
  std::string why;
  if (ReadLength(text, false, mm, &why)) return Status::Ok();
  return Status::Refused("diameter", why);
}

Status ReadDivideMethod(std::string_view text, Method* method) {
  const std::pair<std::string_view, Method> names[] = {{"direct", Method::kDirect},
                                                       {"simple", Method::kSimple},
                                                       {"compound", Method::kCompound},
                                                       {"differential", Method::kDifferential}};
  for (const auto& [name, m] : names)
    if (text == name) return *method = m, Status::Ok();
  return Status::Refused(
      "method", Quoted(text) + " is not a method: direct, simple, compound or differential");
}

Status ReadHelixTolerance(std::string_view text, Fraction* percent) {
  std::string why;
  if (ReadRatio(text, percent, &why) && IsPositive(*percent)) return Status::Ok();
  return Status::Refused("max_error", why.empty() ? "the tolerance must be above zero" : why);
}

}  // namespace cog
