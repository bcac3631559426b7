#pragma once
// Replays an action script of `cogwright-cli session` on the real dialog and
// compares what the dialog shows with what the tool printed for the same script.
//
// For session NAME the driver reads NAME.txt (one action per line: `target
// TEXT`, `find`, `higher`, `lower`, `single 0|1`, `even 0|1`) and optionally
// NAME.args (the command tail, the same two numbers the tool got as --teeth)
// from the sessions directory, and NAME.out (the tool's output) from the
// expected directory.

#include <string>
#include <vector>

#include "tests/e2e/check_log.h"
#include "tests/e2e/driver_paths.h"

namespace cog::e2e {

// NAME of every NAME.txt in the sessions directory, sorted.
std::vector<std::string> SessionNames(const DriverPaths& paths);

void ReplaySession(const DriverPaths& paths, const std::string& name, CheckLog& log);

}  // namespace cog::e2e
