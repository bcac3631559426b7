#pragma once

#include <cstdint>

#include "engine/ratio_table.h"

namespace cog {

// Finds the entry of the sorted `table` nearest to `target` and writes its index.
// Looks for the first ratio >= target below the top slot (the top slot itself
// when there is none) and then keeps whichever of it and the entry below is
// nearer; a tie goes to the lower entry. A target of 0 or less selects the zero
// slot. A target above every ratio, +infinity or NaN selects one of the top two
// entries. `index` is left alone when the table has a single slot.
// Takes logarithmic time.
// REQUIRES: table created and sorted ascending by Ratio, no Ratio NaN.
void FindBestMatch(const EntryTable& table, float target, std::int32_t& index);

// The same answer by a plain upward scan, one entry at a time, as the user
// interface once did it. Kept as the reference for FindBestMatch.
void FindBestMatchByScan(const EntryTable& table, float target, std::int32_t& index);

}  // namespace cog
