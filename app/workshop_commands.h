#pragma once
// The workshop commands of cogwright-cli: thread, train, chart and suggest,
// over the user's own lathe. Files are read here; everything else is the
// workshop layer's.

#include <iosfwd>
#include <string>
#include <vector>

namespace cog {

// True when `command` is one of the workshop commands.
bool IsWorkshopCommand(const std::string& command);

// Runs args (the command first) and returns the exit code: 0 done, 2 bad
// usage, profile or target.
int RunWorkshop(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The --help text of these commands.
extern const char* const kWorkshopHelp;

}  // namespace cog
