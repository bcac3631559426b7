#pragma once
// Where the driver finds the program, its hook and the replay scripts.

#include <string>

namespace cog::e2e {

struct DriverPaths {
  std::string exe;           // cogwright.exe
  std::string hook_dll;      // cogwright-hook.dll
  std::string sessions_dir;  // NAME.txt action scripts, NAME.args command tails
  std::string expected_dir;  // NAME.out: what `cogwright-cli session` printed
};

}  // namespace cog::e2e
