#pragma once
// Threads by the names machinists give them, resolved from the built-in
// series tables (thread_series.h), never from a formula:
//
//   "M6", "M9"           ISO metric, the coarse pitch of that size; a size
//                        without one ("M15") is refused naming its pitches
//   "M6x0.75", "M25x1.5" ISO metric with a pitch ISO 261 lists for that size
//                        ("x" or the sign U+00D7)
//   "1/4-20", "#10-24", "10-24", "1 1/8-7", "1-1/8-7"
//                        Unified, SIZE-TPI from the UNC, UNF, UNEF and UN tables
//   "1/4-20 UNC", "1/2-13 UNC-2A", "#10-32 UNF-3B", "1/2-10 ACME-2G", "1/4-18 NPT"
//                        SIZE-TPI SERIES, with a class the series has
//   "1/4 UNC", "3/8 BSW", "1/2 BSB", "1/4 NPT", "2 BA", "1/8 BSP"
//                        SIZE SERIES: the series by its mark (UNC, UNF, UNEF,
//                        UN, BSW, BSF, BSP, BSPT, NPT, BSB, ACME, ME, BA, TR)
//                        or as `chart --list` names it ("1-1/8 8-un")
//   "1/4x40 ME"          SIZExTPI SERIES, as Model Engineer threads are written
//   "Tr20x4", "Tr20x8(P4)"  ISO 2904 trapezoidal; LEADx(PPITCH) is multi-start
//   "G1/4", "R1/2", "Rc 3/8", "Rp 1/2", "2BA", "1/4 ME40", "DP16", "mod1.5"
//                        any size name exactly as a table lists it (Rc and Rp
//                        are the R sizes, cut the same)
//
// Letter case never matters; blanks only where they part words, and never
// join two numbers: "M12 1.5" is M12x1.5 where ISO 261 lists that pitch for
// the size, and any other blank between numbers ("M6 4", "1 0BA") is refused
// showing them. Inch marks
// (" and U+2033) are dropped, a blank between a whole number and a fraction
// makes a mixed size ("1 1/8" is "1-1/8"), and the signs U+00BC..U+00BE and
// U+215B..U+215E are the fractions they show ("11½" is "11-1/2").
//
// A bare size ("1", "1/2", "#10", "1-1/8") that tables list is refused naming
// every thread it may be, and the pitches it may be: a machinist who types
// "1" may mean 1-8 UNC or a 1 mm pitch, and guessing cuts the wrong thread.

#include <string>
#include <string_view>

#include "gears/fraction.h"
#include "lathe/thread_series.h"

namespace cog {

enum class DesignationMatch {
  kFound,
  kNotADesignation,  // the text has no designation's shape: try it as a figure
  kUnknownSize,      // it has one, but names no thread the tables list: *error says so
};

struct Designation {
  const ThreadSeries* series = nullptr;
  const ThreadEntry* thread = nullptr;
  int starts = 1;  // more only for a multi-start trapezoidal name, "Tr20x8(P4)"
};

// On kUnknownSize, *error says why, to follow the quoted text ("is not a size
// of ISO metric coarse (ISO 261) (nearest: M7, M8)").
DesignationMatch FindDesignation(std::string_view text, Designation* out, std::string* error);

// `text` as the readers of names and figures see it: lower case, one blank
// between words and none at the ends nor around "/", "x" for U+00D7, inch
// marks dropped, mixed numbers joined by "-" ("11 1/2", "11½" are "11-1/2").
std::string MachinistText(std::string_view text);

// A number as machinists write it: any text ReadFraction takes, or a mixed
// number "W-N/D" (after MachinistText), W + N/D. False with *error otherwise.
bool ReadMixedNumber(std::string_view text, Fraction* out, std::string* error);

}  // namespace cog
