#pragma once
// cogwright-cli gear: the job sheet for cutting one spur or helical gear with
// a form cutter, indexed on the user's own head (a head file, or the built-in
// 40:1 head). The head file is read here; everything else is the core's.

#include <iosfwd>
#include <string>

#include "app/arguments.h"

namespace cog {

// Runs gear and returns the exit code: 0 done, 2 bad usage, gear or head.
int RunGear(const Arguments& args, std::ostream& out, std::ostream& err);

// The --help text of the command, naming the rule of each figure once.
std::string GearHelp();

}  // namespace cog
