#pragma once
// The dividing head's commands of cogwright-cli: divide and helix, over the
// user's own head (a head file, or the built-in 40:1 head). Files are read
// here; everything else is the divider layer's.

#include <iosfwd>
#include <string>
#include <vector>

#include "app/arguments.h"

namespace cog {

bool IsDivideCommand(const std::string& command);

// Runs divide or helix and returns the exit code: 0 done, 2 bad usage,
// head file, number, angle or lead.
int RunDivide(const Arguments& args, std::ostream& out, std::ostream& err);

// The --help text of these commands.
extern const char* const kDivideHelp;

}  // namespace cog
