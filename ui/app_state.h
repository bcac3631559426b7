#pragma once
// The process-wide state of one run of the program.

#include <cstdint>

#include "engine/ratio_table.h"
#include "engine/tooth_limits.h"

namespace cog {

struct AppState {
  ToothLimits Limits;  // settled at start-up, read-only afterwards
  RatioTables Tables;
  std::int32_t CurrentIndex = 0;  // index into Tables.RatioTable of the match shown
  float MatchError = 0;           // relative error of the match shown, as a fraction
};

}  // namespace cog
