#pragma once
// The workshop commands of cogwright-cli: thread, train, chart and suggest,
// over the user's own lathe. Files are read here; everything else is the
// workshop layer's.

#include <iosfwd>
#include <string>
#include <vector>

#include "app/arguments.h"

namespace cog {

// True when `command` is one of the workshop commands.
bool IsWorkshopCommand(const std::string& command);

// Runs a workshop command read from the command line and returns the exit
// code: 0 done, 2 bad usage, profile or target.
int RunWorkshop(const Arguments& args, std::ostream& out, std::ostream& err);

// The --help text of these commands, with the defaults and bounds the core
// names (lathe/defaults.h and the caps).
std::string WorkshopHelp();

}  // namespace cog
