#pragma once
// The smallest and largest tooth count of any gear, settled once at start-up.

#include <cstdint>
#include <string_view>

namespace cog {

struct ToothLimits {
  std::uint8_t MinTeeth = 16;
  std::uint8_t MaxTeeth = 72;
};

// Two parameter texts read as numbers, rounded to bytes (modulo 256), then
// MinTeeth raised to at least 6 and MaxTeeth lowered to at most 130. Nothing
// else is enforced: MinTeeth may end up above MaxTeeth.
ToothLimits LimitsFromParameters(std::string_view first, std::string_view second);

struct StartupLimits {
  ToothLimits limits;
  bool from_command_line = false;  // true: the start-up notice is due
};

// A tail of blanks only (or nothing) gives the defaults 16 and 72; otherwise
// parameters 1 and 2 of the tail, as LimitsFromParameters takes them.
StartupLimits LimitsFromCommandTail(std::string_view tail);

}  // namespace cog
