#pragma once
// What the dividing head's questions cost, weighed before they run, so that
// each answers within seconds or is refused at once with what to ask less of.
//
// A step is about what the differential search spends on one approximate
// number: the plate's turn, the pair and the compound train that give it.
// Measured on this project's 2-core machine, a step took 130 to 340 ns over
// charts of 1000 numbers on heads of 192 circles and 60 prime-toothed gears
// (most of a line's approximate numbers tried, few trains found), and a line's
// own work (direct, simple and compound indexing on the plates) at most 130
// microseconds; a helical train tried costs about a fifth of a step. So
// kMaxDivideSteps keeps a chart or a helix within about 2 s there; every
// maker's head, and the largest head a file may describe with the usual even
// gears, is far below it.

#include <cstdint>
#include <string>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

inline constexpr std::int64_t kMaxDivideSteps = 6'000'000;
inline constexpr std::int64_t kDivideLineSteps = 400;
inline constexpr std::int64_t kHelixTrainsPerStep = 5;
inline constexpr std::int64_t kAngleMoveSteps = 10;
inline constexpr std::int64_t kNearestMoveSteps = 3;

// Dividing each N from `from` to `to`, at most: its line's own work and every
// approximate number the differential search may try for it.
// REQUIRES: 1 <= from <= to <= kMaxDivisions.
std::int64_t DivideSteps(const Indexer& indexer, int from, int to);
// False with *error (what would cost how much, and what to give less of)
// when DivideSteps is above kMaxDivideSteps.
[[nodiscard]] bool CheckDivideSteps(const Indexer& indexer, int from, int to, std::string* error);

// Dividing an angle: its line's own work and every plate move the
// differential search may try for it, each move weighed as kAngleMoveSteps
// (a move asks for its own pair and compound train).
std::int64_t AngleSteps(const Indexer& indexer, const Fraction& degrees);
[[nodiscard]] bool CheckAngleSteps(const Indexer& indexer, const Fraction& degrees,
                                   std::string* error);

// The nearest ways, asked when no way is exact, each move weighed as
// kNearestMoveSteps.
std::int64_t NearestSteps(const Indexer& indexer, const DivideOptions& options);
[[nodiscard]] bool CheckNearestSteps(const Indexer& indexer, const DivideOptions& options,
                                     std::string* error);

// Every pair and compound train of the head's gears, as HelixTrains tries them.
std::int64_t HelixSteps(const DividingHead& head);
[[nodiscard]] bool CheckHelixSteps(const DividingHead& head, std::string* error);

}  // namespace cog
