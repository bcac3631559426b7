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

Status ReadHelixLead(std::string_view text, Fraction* lead_mm) {
  std::string why;
  if (ReadLength(text, false, lead_mm, &why)) return Status::Ok();
  return Status::Refused("lead", "lead " + why);
}

Status ReadHelixTolerance(std::string_view text, Fraction* percent) {
  std::string why;
  if (ReadRatio(text, percent, &why) && IsPositive(*percent)) return Status::Ok();
  return Status::Refused("max_error", why.empty() ? "the tolerance must be above zero" : why);
}

}  // namespace cog
