#pragma once
// When the half-nut may be opened and closed again: the thread dial.
//
// The dial's gear of T teeth meshes the lead screw (lead P), so it turns one
// tooth per lead-screw turn, and its k marks are T/k lead-screw turns apart.
// Closing the half-nut again j marks on from the first engagement (after any
// number of whole dial turns, with the carriage back where it was) puts the
// tool back in the groove when the spindle has turned a whole number of
// times meanwhile. A train cutting lead L turns the spindle P/L times per
// lead-screw turn, so the spindle turns (m T + j T/k) P / L times for m whole
// dial turns and j marks: whole for every m exactly when T P / L is whole,
// and then for mark j when j T P / (k L) is whole. The smallest such j is the
// denominator of T P / (k L) in lowest terms.

#include <optional>
#include <string>

#include "gears/fraction.h"
#include "lathe/profile.h"

namespace cog {

struct DialAdvice {
  int teeth = 0;  // the dial gear to fit; 0 when none allows opening the half-nut
  int every = 0;  // close it again every `every` marks (1: any mark)
};

// For a lead cut exactly: the dial gear with the smallest `every`, the first
// listed on a tie. REQUIRES: lead_mm above zero.
DialAdvice AdviseDial(const ThreadDial& dial, const Fraction& leadscrew_mm,
                      const Fraction& lead_mm);

// As a machinist reads it: "any mark", "every 2nd mark", "the same mark
// only", "keep the half-nut closed"; with several dial gears, the gear first
// ("16T: every 2nd mark").
std::string DialText(const ThreadDial& dial, const DialAdvice& advice);

}  // namespace cog
