#pragma once
// What the command-line tool sets up before any work, per platform: on
// Windows the x87 unit's full 64-bit precision (the engine computes with
// long double, and a process may start at 53 bits) and binary standard output,
// so that lines end in LF as on Linux and the output compares byte for byte.

namespace cog {

void PrepareProcess();

}  // namespace cog
