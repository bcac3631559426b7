#include "numtext/run_error.h"

#include <cstdlib>

namespace cog {

const char* RunErrorText(RunError error) {
  switch (error) {
    case RunError::kNone:
      return "";
    case RunError::kIllegalFunctionCall:
      return "Illegal function call";
    case RunError::kOutOfMemory:
      return "Out of memory";
    case RunError::kSubscriptOutOfRange:
      return "Subscript/Pointer out of range";
    case RunError::kGlobalMemoryCorrupt:
      return "Global memory corrupt";
    case RunError::kStringSpaceCorrupt:
      return "String space corrupt";
  }
  return "Unknown error";
}

void RaiseRunError(RunError error) {
  // Corruption of our own bookkeeping leaves nothing safe to run, not even
  // destructors or atexit handlers.
  if (static_cast<unsigned>(error) >= 241) std::_Exit(255);
}

}  // namespace cog
