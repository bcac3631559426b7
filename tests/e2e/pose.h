#pragma once
// Poses the dialog for a screenshot: starts the program, finds `target`, lets
// the result paint, prints "dialog LEFT TOP RIGHT BOTTOM" (the
// window's rectangle on the screen) and holds the pose until `release_file`
// exists, then closes the program.

#include <string>

#include "tests/e2e/driver_paths.h"

namespace cog::e2e {

// Returns the process exit code for the driver: 0 when posed and closed.
int PoseAfterFind(const DriverPaths& paths, const std::string& target,
                  const std::string& release_file);

}  // namespace cog::e2e
