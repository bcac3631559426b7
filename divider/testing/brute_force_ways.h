#pragma once
// A plain reference for indexing, written apart from divider/indexing.cpp: it
// tries every approximate number, every circle and hole, and every tuple of
// physical gears, with its own integer arithmetic, and says which class of
// way is best for N and the ranking key of the best way in that class.

#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "divider/head.h"

namespace cog::testing {

// Class: 0 direct, 1 simple, 2 differential by a simple train, 3 by a
// compound train, 4 compound, -1 none. Key within the class:
//   direct {holes}; simple {turns, holes};
//   differential {|A - N|, -A, holes of A's move};
//   compound {h1 + h2, c1, c2, 0 with / 1 against, plate}.
struct ReferenceBest {
  int klass = -1;
  std::vector<std::int64_t> key;
};

class BruteForceWays {
 public:
  explicit BruteForceWays(const DividingHead& head);
  // The best way for N divisions (angles: divisions = 0 and turns given).
  ReferenceBest Best(int divisions) const;
  ReferenceBest BestForTurns(std::int64_t num, std::int64_t den) const;
  // The smallest |move - num/den| of any simple move (whole turns, or any
  // holes in any circle) and, when `compound`, of any compound move on one
  // plate, as a reduced fraction {num, den} of a turn.
  std::pair<std::int64_t, std::int64_t> NearestGap(std::int64_t num, std::int64_t den,
                                                   bool compound) const;

 private:
  ReferenceBest Search(std::int64_t num, std::int64_t den, int divisions) const;
  DividingHead head_;
  std::set<std::pair<std::int64_t, std::int64_t>> simple_ratios_, compound_ratios_;
  std::map<std::int64_t, int> approximate_holes_;  // A -> fewest holes of a simple move
};

}  // namespace cog::testing
