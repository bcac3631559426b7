#pragma once
// What the dividing head is asked, read one way for the command-line tool and
// the page: a number of divisions or an angle, how many ways, and a chart's
// range. Each reader's message says what is wrong in the user's words.

#include <string>
#include <string_view>

#include "divider/indexing.h"
#include "gears/fraction.h"
#include "gears/status.h"

namespace cog {

// Divisions, or (divisions == 0) an angle in exact degrees.
struct DivideQuestion {
  int divisions = 0;
  Fraction degrees;
};

// "127" (a whole number from 1 to kMaxDivisions) or an angle as ReadAngle
// takes it; refused (input "divisions") quoting the text.
Status ReadDivideQuestion(std::string_view text, DivideQuestion* out);

// The chart a shell offers before the user says: a few printed pages.
inline constexpr int kDefaultChartFrom = 2;
inline constexpr int kDefaultChartTo = 400;

// Ways shown per answer: 1 to kMaxDivideTop (input "top").
Status CheckDivideTop(int top);

// A chart's numbers of divisions, FROM to TO: each from 1 to kMaxDivisions,
// FROM not above TO, at most kMaxChartLines numbers. A refusal's input is
// "from" or "to": the end the user should change.
Status CheckChartRange(int from, int to);

// A helix's lead, a length as lathe lengths are written (250mm, 9.5in), also
// with the inch written out or as a mark: 6.16", 6.16 inch, 6.16inch.
// *inches (if given) says whether it was given in inches; input "lead".
Status ReadHelixLead(std::string_view text, Fraction* lead_mm, bool* inches = nullptr);

// A helix angle from the work's axis, as an angle or plain degrees, with the
// hand after it: "22.5R", "22.5L", "22d30mR", "30" (right-handed). Above 0
// and below 90 degrees; input "angle".
Status ReadHelixAngle(std::string_view text, Fraction* degrees, HelixHand* hand);

// The work's diameter, a length (62.12mm, 2.5in), to give errors as arcs;
// input "diameter".
Status ReadDiameter(std::string_view text, Fraction* mm);

// "direct", "simple", "compound" or "differential"; input "method".
Status ReadDivideMethod(std::string_view text, Method* method);

// The helix's tolerance in percent, a number or ratio text above zero;
// input "max_error".
Status ReadHelixTolerance(std::string_view text, Fraction* percent);

}  // namespace cog
