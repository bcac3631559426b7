#pragma once
// What the gear is, as typed: the teeth, one size (a module, a diametral pitch
// or a circular pitch), and the options, read one way for the command-line
// tool and the page. Each error's `input` names the value ("teeth", "size",
// "module", "dp", "cp", "pressure_angle", "helix", "shift", "pin") and its
// `text` says what is wrong in the data's words; each shell words it for its
// user.

#include <optional>
#include <string>

#include "gearcut/gear_geometry.h"
#include "gears/status.h"

namespace cog {

inline constexpr int kMinGearTeeth = 5;
inline constexpr int kMaxGearTeeth = 1000;
inline constexpr double kDefaultPressureDeg = 20;
// A form cutter cuts any shift a drawing calls for; beyond ±1 module the
// teeth are pointed or the root runs into the bore.
inline constexpr double kMaxShift = 1;

struct GearTexts {
  std::string teeth;
  std::optional<std::string> module, dp, cp;
  std::optional<std::string> pressure_angle;  // degrees: 20, 14.5, 14d30m
  std::optional<std::string> helix;           // 22.5R, 15L, 22d30mR, 22°30'L
  std::optional<std::string> shift;
  std::optional<std::string> pin;  // mm
};

// True with *asked, or false with *error on the first value that is wrong:
// teeth not a whole number from 5 to 1000; no size, or more than one; a size
// not a number above 0; a pressure angle not above 0 and below 45; a helix
// angle not above 0 and below 90 or without its hand (R or L); a shift beyond
// ±kMaxShift; a pin not above 0.
bool ReadGearTexts(const GearTexts& texts, GearAsked* asked, Status* error);

}  // namespace cog
