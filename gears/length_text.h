#pragma once
// Lengths as a machinist writes them, to exact millimetres: "250mm",
// "9.5in", "12 in" (blanks around the unit are allowed), and for a screw's
// pitch also "4tpi" (threads per inch: 25.4/4 mm). The number is any text
// ReadFraction takes; the unit is mm, in or tpi, in any case, and must be
// given. The length must be above zero. Nothing is rounded.

#include <string>
#include <string_view>

#include "gears/fraction.h"

namespace cog {

// False with *error quoting the text and saying what is wrong.
// `pitch`: "tpi" is taken as well.
bool ReadLength(std::string_view text, bool pitch, Fraction* mm, std::string* error);

}  // namespace cog
