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

bool ReadHelixLead(std::string_view text, Fraction* lead_mm, std::string* error) {
  std::string why;
  if (ReadLength(text, false, lead_mm, &why)) return true;
  *error = "lead " + why;
  return false;
}

bool ReadHelixTolerance(std::string_view text, Fraction* percent, std::string* error) {
  error->clear();
  if (ReadRatio(text, percent, error) && IsPositive(*percent)) return true;
  if (error->empty()) *error = "the tolerance must be above zero";
  return false;
}

}  // namespace cog
