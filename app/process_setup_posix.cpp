#include "app/process_setup.h"

namespace cog {

// Linux starts with the x87 unit at 64 bits and has no text mode.
void PrepareProcess() {}

}  // namespace cog
