#pragma once
// The whole job of cutting one gear on a milling machine with a dividing
// head: its figures, the head's best way to index its teeth, and for a
// helical gear the change gears for its lead. The indexing and the train are
// the dividing head's own answers, as `divide Z --top 1` and
// `helix LEAD --all` give them.

#include <optional>
#include <string>

#include "divider/head.h"
#include "divider/indexing.h"
#include "gearcut/gear_geometry.h"

namespace cog {

struct GearJob {
  GearAsked asked;
  GearFigures figures;
  DivideAnswer index;  // best first, at most one way
  // Helical only: the lead as asked of the head (its text, to 0.001 mm), and
  // the trains it gives (`helix` ranks them; the first is the one to use), or
  // why there are none.
  std::string lead_text;
  std::optional<HelixAnswer> helix;
  std::string helix_why;
};

// The lead as `helix` is asked for it: "1234.568mm".
std::string LeadQuestion(double lead_mm);

// False with *error when the figures cannot be had (gear_geometry.h) or the
// head cannot index Z (a figure out of its exact range).
bool MakeGearJob(const GearAsked& asked, const DividingHead& head, GearJob* out,
                 std::string* error);

}  // namespace cog
