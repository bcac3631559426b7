#pragma once
// The one reader of the options every command words alike, so that "2.0" is
// 2 and a refusal reads the same whichever command is given it.

#include <string>

#include "app/arguments.h"
#include "gears/status.h"

namespace cog {

// The whole number --NAME gives, read by ReadWhole (gears/gear_set.h), from
// lo to hi; *value keeps its default when the option is not given. Refused
// ("--top: "2.5" is not a whole number from 1 to 1000") when it is not such
// a number.
Status ReadWholeOption(const Arguments& args, const std::string& name, int lo, int hi, int* value);

}  // namespace cog
