#pragma once

#include <cstdint>

#include "engine/ratio_table.h"

namespace cog {

// Finds the entry of the sorted `table` nearest to `target` and writes its index.
// Scans upward for the first ratio >= target and then keeps whichever of it and
// the entry below is nearer; a tie goes to the lower entry. A target of 0 or
// less selects the zero slot. A target above every ratio selects one of the top
// two entries. `index` is left alone when the table has a single slot.
// REQUIRES: table created and sorted.
void FindBestMatch(const EntryTable& table, float target, std::int32_t& index);

}  // namespace cog
