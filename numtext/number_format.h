#pragma once
// Number to text, for the tooth limits and the result boxes.

#include <cstdint>
#include <string>
#include <string_view>

#include "numtext/extended.h"

namespace cog {

// Rounds to the nearest integer (ties to even) and keeps the low 8 bits of its
// two's complement. NaN and values outside the signed 64-bit range count as
// -2^63, whose low byte is 0.
std::uint8_t ToByte(Extended value);

// One blank, then the decimal digits: 72 -> " 72". A negative value carries "-"
// in place of the blank.
std::string NumberText(long long value);

// Renders value through a mask of "#" and "0" digit placeholders, an optional
// "." and an optional "%" right after a placeholder (which shows the value times
// 100). The value is first taken to 18 significant digits, then rounded to the
// mask's fraction places; both roundings go to the even neighbour on an exact
// half. "#" shows nothing where the value has no digit; "0" shows 0 there;
// integer digits never get cut. NaN renders as 0, an infinity as nineteen nines
// followed by zeros, 999 digits before the point.
// Used with "####.######", "####" and "0.0000%".
std::string FormatNumber(Extended value, std::string_view mask);

}  // namespace cog
