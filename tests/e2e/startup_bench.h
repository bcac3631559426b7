#pragma once
// Start-up time of cogwright.exe at the default limits: from CreateProcess to
// its main dialog being visible. A measurement, not a test: it prints figures
// and fails only when the program cannot be started or never shows.

#include "tests/e2e/driver_paths.h"

namespace cog::e2e {

// Exit code 0 when every run showed its dialog and ended, 1 otherwise.
int BenchStartup(const DriverPaths& paths, int runs);

}  // namespace cog::e2e
