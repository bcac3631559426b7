#pragma once
// The rows of one train search as the search holds them, their order, and
// the best `top` of them. Internal to the search (train_search.cpp); in a
// header of its own so that the order is written once.

#include <array>
#include <optional>
#include <vector>

#include "lathe/train_search.h"

namespace cog {

// A row without allocation. `lead` and `error` are filled only once the row
// may be kept: the search decides most rows on a double estimate.
struct Candidate {
  TrainKind kind = TrainKind::kCompound;
  std::array<int, 6> gears{};  // as shown; the first `count` are used
  int count = 0;
  int gearbox = -1;
  Fraction lead;
  TrainError error;
  std::optional<bool> fits;
};

// -1, 0 or 1 as |a| <, ==, > |b|: exact when both are, else on the extended
// values (which is all an inexact target has).
int CompareError(const TrainError& a, const TrainError& b);

// The order after the error: fewer gears, then the shown gears ascending,
// then the gearbox position. Decides between rows of equal |error|.
bool TieBefore(const Candidate& a, const Candidate& b);

// The rows' total order: |error|, then TieBefore.
bool CandidateBefore(const Candidate& a, const Candidate& b);

// The best `top` rows offered, by CandidateBefore: a heap with the worst kept
// row on top, so a row is judged in O(1) and kept in O(log top); sorted once
// when taken. Distinct rows never compare equal, so the result does not
// depend on the order in which rows are offered.
class Collector {
 public:
  // Keeps nothing when top < 1.
  explicit Collector(int top) : top_(top) {}

  // Whether no further row can enter unless it comes before Worst().
  bool Full() const { return static_cast<int>(heap_.size()) >= top_; }
  // The last row kept. REQUIRES: Full() and top >= 1.
  const Candidate& Worst() const { return heap_.front(); }

  // Whether `c` would be kept; needs c.error when Full().
  bool Enters(const Candidate& c) const;
  // Keeps `c` when Enters(c), dropping the worst row when full.
  void Offer(const Candidate& c);

  // The rows kept, best first; leaves the collector empty.
  std::vector<Candidate> Take();

 private:
  int top_;
  std::vector<Candidate> heap_;  // a max-heap by CandidateBefore
};

}  // namespace cog
