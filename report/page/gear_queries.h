#pragma once
// The gear's job sheet asked with the texts of the page's form and answered
// with JSON text: what `cogwright-cli gear` writes with --format json, plus a
// "view" of the texts the page shows (the sheet as the tool prints it, its
// printable page) and the figures of the drawing of one tooth space. Or
// {"error": TEXT, "input": WHAT}: WHAT is "teeth", "size" (none or more than
// one), "module", "dp", "cp", "pressure_angle", "helix", "shift", "pin", or
// "head" / a head key for the dividing head it is indexed on.

#include <string>

namespace cog {

// system: "module", "dp" or "cp", the unit `size` is in; an empty option is
// one not given (the tool's default).
struct GearForm {
  std::string teeth, system, size, pressure_angle, helix, shift, pin;
};

std::string GearQuery(const std::string& head_json, const GearForm& form);

}  // namespace cog
