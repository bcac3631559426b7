#pragma once
// What a question asks when the user does not say: the one home of each
// default, for the command-line tool, the page and the manual alike.

#include "gears/fraction.h"

namespace cog {

// The length over which a row's drift is given, in millimetres.
inline constexpr Fraction kDriftLengthMm{25, 1};

// Rows a thread or train question shows.
inline constexpr int kDefaultTop = 10;

// The tooth counts gear advice tries, and how many candidates it names.
inline constexpr int kAdviceFrom = 15;
inline constexpr int kAdviceTo = 130;
inline constexpr int kAdviceCount = 5;

}  // namespace cog
