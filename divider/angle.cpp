#include "divider/angle.h"

#include <array>

#include "gears/fraction_text.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

// The marks of degrees, minutes and seconds; "''" (two primes) is a seconds
// mark and is tried before the minutes' single prime.
struct Mark {
  std::string_view text;
  int part;
};
constexpr std::array<Mark, 10> kMarks = {{{"deg", 0},
                                          {"\xC2\xB0", 0},
                                          {"d", 0},
                                          {"''", 2},
                                          {"\xE2\x80\xB2", 1},
                                          {"'", 1},
                                          {"m", 1},
                                          {"\xE2\x80\xB3", 2},
                                          {"\"", 2},
                                          {"s", 2}}};

// Length of the number at the start of text: digits with at most one point.
std::size_t NumberLength(std::string_view text) {
  std::size_t n = 0;
  bool point = false;
  while (n < text.size() && ((text[n] >= '0' && text[n] <= '9') || (text[n] == '.' && !point))) {
    point = point || text[n] == '.';
    ++n;
  }
  return n;
}

const Mark* MarkAt(std::string_view text) {
  for (const Mark& mark : kMarks)
    if (text.substr(0, mark.text.size()) == mark.text) return &mark;
  return nullptr;
}

}  // namespace

Status ReadAngle(std::string_view text, Fraction* degrees) {
  const std::string quoted = Quoted(text);
  const auto refused = [](std::string why) { return Status::Refused("divisions", std::move(why)); };
  std::string_view rest = text;
  Fraction parts[3] = {{0, 1}, {0, 1}, {0, 1}};
  const Fraction scale[3] = {{1, 1}, {1, 60}, {1, 3600}};
  int last = -1;  // the part read last
  while (!rest.empty()) {
    // A blank may follow a part's mark: 7° 30'.
    if (last >= 0 && rest.front() == ' ') {
      rest.remove_prefix(1);
      continue;
    }
    const std::size_t digits = NumberLength(rest);
    const Mark* mark = digits > 0 ? MarkAt(rest.substr(digits)) : nullptr;
    if (last < 0 && !mark)
      return refused(quoted +
                     " is neither a number of divisions nor an angle (write an angle as 7.5deg, "
                     "7\xC2\xB0"
                     "30' or 7d30m15s)");
    if (!mark || mark->part <= last)
      return refused(quoted +
                     " is not an angle: degrees come first (7d or 7\xC2\xB0), then minutes "
                     "(30m or 30'), then seconds (15s or 15\")");
    if (last >= 0 && parts[last].den != 1)
      return refused(quoted + ": only the last part of an angle may have a decimal point");
    std::string why;
    if (!ReadFraction(rest.substr(0, digits), &parts[mark->part], &why))
      return refused(quoted + ": " + why);
    last = mark->part;
    rest.remove_prefix(digits + mark->text.size());
  }
  if (last < 0) return refused("the angle is empty");
  for (int i = 1; i < 3; ++i)
    if (Compare(parts[i], Whole(60)) >= 0)
      return refused(quoted + ": " + (i == 1 ? "minutes" : "seconds") + " must be below 60");
  Fraction sum{0, 1};
  for (int i = 0; i < 3; ++i) {
    Fraction scaled;
    if (!Multiply(parts[i], scale[i], &scaled) || !Add(sum, scaled, &sum))
      return refused(quoted + " is too fine to compute exactly");
  }
  if (!IsPositive(sum) || Compare(sum, Whole(360)) >= 0)
    return refused(quoted + " is not above 0 and below 360 degrees");
  *degrees = sum;
  return Status::Ok();
}

std::string AngleText(const Fraction& degrees) {
  Fraction seconds;
  if (!Multiply(degrees, Whole(3600), &seconds) || seconds.den != 1)
    return ShortestText(ToDouble(degrees)) + "\xC2\xB0";
  const std::int64_t s = seconds.num;
  std::string out = std::to_string(s / 3600) + "\xC2\xB0";
  if (s % 3600 != 0) out += std::to_string(s / 60 % 60) + "'";
  if (s % 60 != 0) out += std::to_string(s % 60) + "\"";
  return out;
}

}  // namespace cog
