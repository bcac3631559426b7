#pragma once
// What a question asks when the user does not say: the one home of each
// default, for the command-line tool (its options and its --help), the page
// and the writers alike. The manual and the README state the same values;
// app/docs_contract_test.py holds them to what --help prints from here.

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

// The tolerance in percent when the profile gives no "max_error_percent":
// for threads and worms, and for feeds.
inline constexpr int kThreadTolerancePercent = 1;
inline constexpr int kFeedTolerancePercent = 10;

}  // namespace cog
