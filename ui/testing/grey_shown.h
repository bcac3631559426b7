#pragma once
// The gear pair a dialog in memory paints grey, read back from the colours
// the actions set, so a check of the dialog does not take DescribeMatch's word.

#include "ui/dialog_ids.h"
#include "ui/match_description.h"
#include "ui/memory_port.h"

namespace cog::testing {

inline GreyPair GreyShown(const MemoryPort& port) {
  auto grey = [&port](int id) { return port.Colors(id).second == kGreyColor; };
  if (grey(IDC_GEAR1) && grey(IDC_GEAR2)) return GreyPair::kFirst;
  if (grey(IDC_GEAR3) && grey(IDC_GEAR4)) return GreyPair::kSecond;
  return GreyPair::kNone;
}

}  // namespace cog::testing
