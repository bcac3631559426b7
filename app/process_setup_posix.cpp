#include <csignal>

#include "app/process_setup.h"

namespace cog {

// Linux starts with the x87 unit at 64 bits and has no text mode. A closed
// pipe should fail the write, which the tool reports, not end it silently.
void PrepareProcess() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace cog
