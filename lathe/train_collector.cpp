#include "lathe/train_collector.h"

#include <algorithm>

namespace cog {

int CompareError(const TrainError& a, const TrainError& b) {
  if (a.exact && b.exact) return CompareMagnitude(a.value, b.value);
  const Extended x = Fabs(a.approx), y = Fabs(b.approx);
  return x < y ? -1 : x > y ? 1 : 0;
}

bool TieBefore(const Candidate& a, const Candidate& b) {
  if (a.kind != b.kind) return a.kind < b.kind;
  const auto a_end = a.gears.begin() + a.count, b_end = b.gears.begin() + b.count;
  if (!std::equal(a.gears.begin(), a_end, b.gears.begin(), b_end))
    return std::lexicographical_compare(a.gears.begin(), a_end, b.gears.begin(), b_end);
  return a.gearbox < b.gearbox;
}

bool CandidateBefore(const Candidate& a, const Candidate& b) {
  if (const int c = CompareError(a.error, b.error)) return c < 0;
  return TieBefore(a, b);
}

bool Collector::Enters(const Candidate& c) const {
  if (top_ < 1) return false;
  return !Full() || CandidateBefore(c, Worst());
}

void Collector::Offer(const Candidate& c) {
  if (!Enters(c)) return;
  if (Full()) {
    std::pop_heap(heap_.begin(), heap_.end(), CandidateBefore);
    heap_.back() = c;
  } else {
    heap_.push_back(c);
  }
  std::push_heap(heap_.begin(), heap_.end(), CandidateBefore);
}

std::vector<Candidate> Collector::Take() {
  std::sort_heap(heap_.begin(), heap_.end(), CandidateBefore);
  std::vector<Candidate> rows;
  rows.swap(heap_);
  return rows;
}

}  // namespace cog
