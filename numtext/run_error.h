#pragma once
// Error numbers of the run-time services (table creation, sorting, texts).
//
// A service that fails returns without its result and its caller carries on;
// only the corruption numbers (241 and up) end the process, with exit code 255.

#include <cstdint>

namespace cog {

enum class RunError : std::uint8_t {
  kNone = 0,
  kIllegalFunctionCall = 5,  // sorting a table that was never created
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,  // top index below bottom, or byte size over 32 bits
  kGlobalMemoryCorrupt = 241,
  kStringSpaceCorrupt = 242,
};

// "Out of memory" and so on; "" for kNone, "Unknown error" for other numbers.
const char* RunErrorText(RunError error);

// Applies the failure rule: returns for ordinary errors, ends the process at
// once with exit code 255 (no clean-up, nothing shown) for 241 and above.
void RaiseRunError(RunError error);

}  // namespace cog
