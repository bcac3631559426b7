#pragma once
// What the user is told when the tooth limits come from the command line.

#include <string>

#include "engine/tooth_limits.h"

namespace cog {

// The four CR LF separated lines of the "Startup" notice: that the limits came
// from the command line, the two limits as settled, and that building a large
// table takes a while.
std::string StartupNoticeText(ToothLimits limits);

}  // namespace cog
