#pragma once
// The Higher and Lower steps through the sorted ratio table.

#include <cstdint>

#include "engine/ratio_table.h"

namespace cog {

// Towards larger ratios (Higher) or smaller ones (Lower).
enum class Direction { kHigher, kLower };

// Which entries a walk may stop at: the dialog's two check boxes.
struct WalkFilter {
  bool single_only = false;  // "Single Ratios Only"
  bool even_only = false;    // "Even teeth only"
};

struct WalkResult {
  std::int32_t index;
  bool display;  // false: the plain walk ran off an end and shows nothing
};

// Moves from `index` in `direction` to the next entry that passes `filter`.
//   plain walk (single_only false): every entry; with even_only, entries with an
//     odd tooth count are passed over. Off an end: index clamped, no display.
//   single-ratio walk: only entries flagged single, not made of two 1:1 pairs,
//     whose working pair differs from the start entry's gears in the same
//     positions. Off an end: index clamped and the end entry displayed.
// REQUIRES: table created, 0 <= index <= table.TopIndex().
WalkResult WalkTable(const EntryTable& table, std::int32_t index, Direction direction,
                     WalkFilter filter);

}  // namespace cog
