#pragma once
// A ratio match as data: the texts of the six result boxes and the gear pair
// drawn grey. The dialog, the command-line tool and the page all show a match
// from this, so none of them words it differently or reads it back from boxes.

#include <array>
#include <string>

#include "engine/ratio_entry.h"

namespace cog {

// The 1:1 pair of a single ratio, drawn grey because the other pair alone
// gives the ratio. When both pairs are 1:1 only the first is greyed.
enum class GreyPair { kNone, kFirst, kSecond };

struct MatchDescription {
  std::string actual_ratio;          // Ratio through the mask "####.######"
  std::array<std::string, 4> gears;  // Gear1 to Gear4 through "####"
  std::string error;                 // the match error through "0.0000%"
  GreyPair grey = GreyPair::kNone;
};

// False for the zero slot, the only entry whose Ratio is not above 0: it names
// no gear train, and its error does not depend on the target.
bool HasGearTrain(const RatioEntry& entry);

// The relative error of the entry against `target`, 1 - target / Ratio,
// computed at extended precision and rounded once to float: positive when the
// actual ratio is above the target. 9.999999 (shown as 999.9999%) for an entry
// without a gear train, whatever the target.
float MatchErrorOf(const RatioEntry& entry, float target);

// What `entry` shows with `match_error` (as MatchErrorOf gives it; the dialog
// keeps it in AppState::MatchError). Never fails: every float has a text.
MatchDescription DescribeMatch(const RatioEntry& entry, float match_error);

}  // namespace cog
