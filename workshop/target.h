#pragma once
// What the user wants cut: a thread pitch, threads per inch, a module or
// diametral-pitch worm, or a feed, as a lead in millimetres per spindle turn.
//
//   "1.25mm"      pitch in mm                  lead 1.25
//   "20tpi"       threads per inch             lead 25.4/20
//   "m1.5"        module worm                  lead pi x 1.5
//   "dp16"        diametral-pitch worm         lead 25.4 pi / 16
//   "0.1mm/rev"   feed                         lead 0.1
//   "0.004in/rev" feed in inches               lead 0.004 x 25.4
// Units are matched without regard to case; the number is any text
// ReadFraction takes. The lead is multiplied by the number of starts. Text
// targets are exact fractions; the two worm forms involve pi, are computed at
// extended precision and are never exact.

#include <string>
#include <string_view>

#include "numtext/extended.h"
#include "workshop/fraction.h"

namespace cog {

enum class TargetUnit { kPitchMm, kTpi, kModule, kDiametralPitch, kFeedMm, kFeedInch };

struct Lead {
  bool exact = true;
  Fraction mm;             // when exact
  Extended approx_mm = 0;  // always set; the lead itself when not exact
};

struct Target {
  std::string text;
  TargetUnit unit = TargetUnit::kPitchMm;
  int starts = 1;
  Lead lead;
};

inline constexpr int kMaxStarts = 100;

// False with *error when the text has no known unit, its number is not a
// positive decimal or fraction, or starts is outside 1..kMaxStarts.
bool ReadTarget(std::string_view text, int starts, Target* out, std::string* error);

// A lead screw is "1.5mm" or "8tpi": an exact lead in mm.
bool ReadLeadscrew(std::string_view text, Fraction* lead_mm, std::string* error);

}  // namespace cog
