#include "gearcut/gear_question.h"

#include <cmath>
#include <numbers>

#include "divider/angle.h"
#include "gears/fraction_text.h"
#include "gears/gear_set.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

bool Fail(Status* error, const char* input, std::string text, bool missing = false) {
  *error =
      missing ? Status::Missing(input, std::move(text)) : Status::Refused(input, std::move(text));
  return false;
}

// Degrees as a plain number (22.5) or an angle (22d30m, 22°30').
bool ReadDegrees(const std::string& text, Fraction* degrees, std::string* why) {
  std::string ignored;
  if (ReadFraction(text, degrees, &ignored)) return true;
  const bool marked = !text.empty() && !(text.back() >= '0' && text.back() <= '9');
  if (marked) {
    const Status read = ReadAngle(text, degrees);
    if (read.ok()) return true;
    *why = read.why();
  }
  if (!marked)
    *why = Quoted(text) +
           " is not an angle (write 22.5, 22d30m or 22\xC2\xB0"
           "30')";
  return false;
}

// Strictly between 0 and `below` degrees.
bool Between(const Fraction& degrees, int below) {
  return IsPositive(degrees) && Compare(degrees, Whole(below)) < 0;
}

bool ReadSize(const GearTexts& t, GearAsked* asked, Status* error) {
  const int given = t.module.has_value() + t.dp.has_value() + t.cp.has_value();
  if (given == 0)
    return Fail(error, "size", "no size: a module, a diametral pitch or a circular pitch", true);
  if (given > 1)
    return Fail(error, "size",
                "more than one size: a module, a diametral pitch or a circular "
                "pitch, only one");
  const char* input = t.module ? "module" : t.dp ? "dp" : "cp";
  const std::string& text = t.module ? *t.module : t.dp ? *t.dp : *t.cp;
  Fraction size;
  std::string why;
  if (!ReadFraction(text, &size, &why) || !IsPositive(size))
    return Fail(error, input, Quoted(text) + " is not a number above 0");
  asked->size = size;
  asked->system = t.module ? ToothSystem::kModule : t.dp ? ToothSystem::kDp : ToothSystem::kCp;
  // m = 25.4/P exactly; m = 25.4·CP/π.
  Fraction module = size;
  if (t.dp && !Divide(Fraction{127, 5}, size, &module))
    return Fail(error, input, Quoted(text) + " is too small a diametral pitch");
  asked->module_mm = t.cp ? 25.4 * ToDouble(size) / std::numbers::pi : ToDouble(module);
  return true;
}

bool ReadHelix(const std::string& text, GearAsked* asked, Status* error) {
  const char last = text.empty() ? '\0' : text.back();
  const bool right = last == 'R' || last == 'r', left = last == 'L' || last == 'l';
  if (!right && !left)
    return Fail(error, "helix",
                Quoted(text) + " has no hand: write R or L after the angle (22.5R)");
  Fraction degrees;
  std::string why;
  if (!ReadDegrees(text.substr(0, text.size() - 1), &degrees, &why))
    return Fail(error, "helix", why);
  if (!Between(degrees, 90))
    return Fail(error, "helix", Quoted(text) + ": the helix angle must be above 0 and below 90");
  asked->helix = degrees;
  asked->hand = right ? HelixHand::kRight : HelixHand::kLeft;
  return true;
}

}  // namespace

bool ReadGearTexts(const GearTexts& t, GearAsked* asked, Status* error) {
  GearAsked out;
  if (!ReadWhole(t.teeth, kMinGearTeeth, kMaxGearTeeth, &out.teeth))
    return Fail(error, "teeth",
                "the number of teeth must be a whole number from " + std::to_string(kMinGearTeeth) +
                    " to " + std::to_string(kMaxGearTeeth) + ", not " + Quoted(t.teeth));
  if (!ReadSize(t, &out, error)) return false;
  out.pressure_deg = kDefaultPressureDeg;
  if (t.pressure_angle) {
    Fraction degrees;
    std::string why;
    if (!ReadDegrees(*t.pressure_angle, &degrees, &why)) return Fail(error, "pressure_angle", why);
    if (!Between(degrees, 45))
      return Fail(error, "pressure_angle",
                  Quoted(*t.pressure_angle) + ": the pressure angle must be above 0 and below 45");
    out.pressure_deg = ToDouble(degrees);
  }
  if (t.helix && !ReadHelix(*t.helix, &out, error)) return false;
  if (t.shift) {
    Fraction shift;
    std::string why;
    if (!ReadFraction(*t.shift, &shift, &why) || std::abs(ToDouble(shift)) > kMaxShift)
      return Fail(error, "shift", Quoted(*t.shift) + " is not a profile shift from -1 to 1");
    out.shift = ToDouble(shift);
  }
  if (t.pin) {
    Fraction pin;
    std::string why;
    if (!ReadFraction(*t.pin, &pin, &why) || !IsPositive(pin))
      return Fail(error, "pin", Quoted(*t.pin) + " is not a pin diameter in mm above 0");
    out.pin_mm = ToDouble(pin);
  }
  *asked = out;
  return true;
}

}  // namespace cog
