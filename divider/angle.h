#pragma once
// An angle to index, in exact degrees: "7.5deg", "7.5°", "7°30'", "7°30'15\"",
// "7d30m", "7d30m15s" (also ′ and ″), "7° 30′", "30′", "45\"". Degrees,
// minutes and seconds in that order, any of them left out, each a number
// followed by its mark, a blank allowed after a mark; only the last part
// given may have a decimal point, the earlier ones are whole. Minutes and
// seconds are below 60; the angle is above 0 and below 360 degrees. No sign. The value is exact
// (7°30'15" is 7 + 30/60 + 15/3600 = 1801/240).

#include <string>
#include <string_view>

#include "gears/fraction.h"
#include "gears/status.h"

namespace cog {

// Ok with *degrees set, or refused (input "divisions", the question it
// answers) quoting the text. When the text does not look like an angle at all
// (no degree mark), the refusal says so.
Status ReadAngle(std::string_view text, Fraction* degrees);

// "7°30'", "7°30'15\"", "7.25°" when the value is not whole minutes or seconds:
// how an angle is named in the texts.
std::string AngleText(const Fraction& degrees);

}  // namespace cog
