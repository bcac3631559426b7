#pragma once
// What the user wants cut, as a lead in millimetres per spindle turn, and the
// hand of the thread.
//
//   "1.25mm", "1.25 mm"  pitch in mm                   lead 1.25
//   "20tpi", "20 TPI", "11 1/2 tpi", "11½ tpi"  threads per inch  lead 25.4/20
//   "0.05in"             pitch in inches               lead 0.05 x 25.4
//   "M6", "1/4-20", "1/4 UNC", "2 BA", ...  a thread by its name, resolved
//                        from the built-in tables (designation.h)
//   "mod1.5", "module 1.5"  module worm               lead pi x 1.5
//   "dp16", "16dp"       diametral-pitch worm          lead 25.4 pi / 16
//   "0.1mm/rev", "0.1 mm / rev"  feed                  lead 0.1
//   "0.004in/rev", "0.004 ipr"   feed in inches        lead 0.004 x 25.4
// Units are matched in any letter case, with or without blanks before and
// inside them; the number is any text ReadMixedNumber takes after
// MachinistText (a decimal comma is refused with a hint). "LH" after the
// target, after a blank or "-", asks for a left-hand thread. The lead is
// multiplied by the number of starts; a multi-start name ("Tr20x8(P4)")
// gives its own, and `starts` must then be 1 or the same. A feed has neither
// starts nor hand: either is refused. Worm leads involve
// pi, are computed at extended precision and are never exact; every other
// lead is an exact fraction.

#include <optional>
#include <string>
#include <string_view>

#include "gears/fraction.h"
#include "lathe/designation.h"
#include "numtext/extended.h"

namespace cog {

enum class TargetUnit { kPitchMm, kTpi, kPitchInch, kModule, kDiametralPitch, kFeedMm, kFeedInch };

enum class Hand { kRight, kLeft };

struct Lead {
  bool exact = true;
  Fraction mm;             // when exact
  Extended approx_mm = 0;  // always set; the lead itself when not exact
};

struct Target {
  std::string text;
  TargetUnit unit = TargetUnit::kPitchMm;
  Hand hand = Hand::kRight;
  std::optional<Designation> designation;  // when given by name
  int starts = 1;
  Lead lead;
};

inline constexpr int kMaxStarts = 100;

// A feed (per spindle turn), not a thread.
inline bool IsFeed(TargetUnit unit) {
  return unit == TargetUnit::kFeedMm || unit == TargetUnit::kFeedInch;
}

// False with *error when the text has no known unit or name, its number is
// not a positive decimal or fraction, or starts is outside 1..kMaxStarts (the
// shells check it first, with CheckInput(kStartsInput, ...) of
// question_inputs.h, to name it as its own input).
[[nodiscard]] bool ReadTarget(std::string_view text, int starts, Target* out, std::string* error);

// A lead screw is a pitch: "1.5mm", "8tpi" or "0.0625in", as a target's
// figure is written; an exact lead in mm.
[[nodiscard]] bool ReadLeadscrew(std::string_view text, Fraction* lead_mm, std::string* error);

}  // namespace cog
