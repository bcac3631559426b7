#pragma once
// The hand of a helix, shared by the gear asked for (none for a spur gear)
// and the dividing head's helix (right or left).

namespace cog {

enum class HelixHand { kNone, kRight, kLeft };

}  // namespace cog
