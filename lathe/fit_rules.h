#pragma once
// Whether a change-gear train fits on the banjo, rule by rule, exactly.
//
// m is the module, Dc the centre distance from stud to lead screw, all in mm;
// a gear of T teeth has pitch radius mT/2 and tip radius m(T+2)/2, and a shaft
// of diameter s needs s/2 of room. Each rule's margin is the room to spare in
// mm (negative: short by that much); a train fits when no margin is negative.
//
// Compound A:B, C:D (A and B in front, C and D behind, B and C on the middle
// shaft), L1 = m(A+B)/2, L2 = m(C+D)/2:
//   c_clears_stud        m(A+B)/2 - (m(C+2)/2 + stud/2)
//   b_clears_leadscrew   m(C+D)/2 - (m(B+2)/2 + leadscrew/2)
//   a_clears_leadscrew   Dc - (m(A+2)/2 + leadscrew/2)
//   d_clears_stud        Dc - (m(D+2)/2 + stud/2)
//   shaft_reach          L1 + L2 - Dc        (the middle shaft can close the triangle)
//   shaft_apart          Dc - |L1 - L2|
//   slot                 min(L2 - near, far - L2), only when a slot is given
// Simple A, idler I, D: L1 = m(A+I)/2, L2 = m(I+D)/2, the same shaft_reach,
// shaft_apart and slot rules (the slot binds the idler), and
//   a_clears_d           Dc - m(A+D+4)/2
// Six-gear trains have no rules here: their fit is not checked.

#include <cstdint>
#include <span>
#include <vector>

#include "gears/fraction.h"
#include "lathe/profile.h"

namespace cog {

struct FitRule {
  const char* id;    // stable, for JSON and scripts
  const char* text;  // for people
  Fraction margin_mm;
};

// The rules for a simple (3 gears: A, I, D) or compound (4 gears: A, B, C, D)
// train; false when a figure overflows (the caller reports it).
[[nodiscard]] bool FitRules(const Geometry& geometry, std::span<const int> gears,
                            std::vector<FitRule>* rules);

// The same rules for the search, which asks millions of times: divided by
// m/2 each rule compares a sum of tooth counts with a fraction of the
// geometry, and since the sum is whole, with that fraction's floor or
// ceiling. So each rule is one integer comparison, exact.
struct FitLimits {
  std::int64_t stud_room;   // A+B-C-2 >= this         (ceil(stud / m))
  std::int64_t screw_room;  // C+D-B-2 >= this         (ceil(leadscrew / m))
  std::int64_t a_tip_max;   // A+2 <= this             (floor((2Dc - leadscrew) / m))
  std::int64_t d_tip_max;   // D+2 <= this             (floor((2Dc - stud) / m))
  std::int64_t reach_min;   // S1+S2 >= this           (ceil(2Dc / m))
  std::int64_t apart_max;   // |S1-S2| <= this         (floor(2Dc / m))
  std::int64_t slot_min;    // S2 >= this              (ceil(2 near / m))
  std::int64_t slot_max;    // S2 <= this              (floor(2 far / m))
};
// False when a figure overflows 64 bits.
[[nodiscard]] bool MakeFitLimits(const Geometry& geometry, FitLimits* limits);

// Whether a simple (3 gears) or compound (4 gears) train fits.
[[nodiscard]] bool TrainFits(const FitLimits& limits, const int* gears, int count);

}  // namespace cog
