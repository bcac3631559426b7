#include "lathe/thread_dial.h"

namespace cog {

DialAdvice AdviseDial(const ThreadDial& dial, const Fraction& leadscrew_mm,
                      const Fraction& lead_mm) {
  DialAdvice best;
  for (int teeth : dial.teeth) {
    // T P / L and T P / (k L), exactly; a figure too large to hold cannot be
    // whole within any sensible dial, and is passed over.
    Fraction travel, turns, per_mark;
    if (!Multiply(Whole(teeth), leadscrew_mm, &travel) || !Divide(travel, lead_mm, &turns) ||
        turns.den != 1 || !Divide(turns, Whole(dial.marks), &per_mark))
      continue;
    const int every = static_cast<int>(per_mark.den);
    if (best.every == 0 || every < best.every) best = {teeth, every};
  }
  return best;
}

std::string DialText(const ThreadDial& dial, const DialAdvice& advice) {
  if (advice.every == 0) return "keep the half-nut closed";
  std::string text;
  if (advice.every == 1) {
    text = "any mark";
  } else if (advice.every == dial.marks) {
    text = "the same mark only";
  } else {
    const int n = advice.every;
    const char* suffix = (n % 100 >= 11 && n % 100 <= 13) ? "th"
                         : n % 10 == 1                    ? "st"
                         : n % 10 == 2                    ? "nd"
                         : n % 10 == 3                    ? "rd"
                                                          : "th";
    text = "every " + std::to_string(n) + suffix + " mark";
  }
  return dial.teeth.size() > 1 ? std::to_string(advice.teeth) + "T: " + text : text;
}

}  // namespace cog
