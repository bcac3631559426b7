#pragma once
// Start-up time of cogwright.exe: from CreateProcess to its main dialog being
// visible at the default limits (empty tail), or from closing the start-up
// notice to the visible dialog for a command tail. A measurement, not a test:
// it prints figures and fails only when the program cannot be started or
// never shows.

#include <string>

#include "tests/e2e/driver_paths.h"

namespace cog::e2e {

// Exit code 0 when every run showed its dialog and ended, 1 otherwise.
int BenchStartup(const DriverPaths& paths, int runs, const std::string& tail);

}  // namespace cog::e2e
