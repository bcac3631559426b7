#pragma once
// Threads by the names machinists give them, resolved from the built-in
// series tables (thread_series.h), never from a formula:
//
//   "M6"             ISO metric, the coarse pitch of that size
//   "M6x0.75"        ISO metric with a pitch the coarse or fine table lists
//                    for that size ("x" or the sign U+00D7)
//   "1/4-20"         Unified, SIZE-TPI from the UNC or UNF table ("#10-24")
//   "1/4 UNC"        SIZE SERIES for every built-in series, the series as
//                    `chart --list` names it, in any case ("2 BA", "1/8 BSP")
//   "2BA", "G1/8", "1/4 ME40", "DP16", "mod1.5": any size name exactly as a
//                    table lists it, in any case
//
// Blanks around the parts do not matter; letter case never does.

#include <string>
#include <string_view>

#include "lathe/thread_series.h"

namespace cog {

enum class DesignationMatch {
  kFound,
  kNotADesignation,  // the text has no designation's shape: try it as a figure
  kUnknownSize,      // it has one, but names no size the tables list: *error says so
};

struct Designation {
  const ThreadSeries* series = nullptr;
  const ThreadEntry* thread = nullptr;
};

// On kUnknownSize, *error says why, to follow the quoted text ("is not a size
// of ISO metric coarse (ISO 261) (nearest: M7, M8)").
DesignationMatch FindDesignation(std::string_view text, Designation* out, std::string* error);

}  // namespace cog
