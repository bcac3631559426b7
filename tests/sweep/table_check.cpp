#include "tests/sweep/table_check.h"

#include <charconv>

namespace cog::sweep {
namespace {

constexpr std::size_t kMaxFaults = 20;

// A pair ratio as the program makes it: divided at extended precision, then
// rounded to float.
float PairRatio(int driver, int driven) {
  return static_cast<float>(static_cast<long double>(driver) / static_cast<long double>(driven));
}

// The product of the two rounded pair ratios, rounded once to float.
float CompoundRatio(const int gears[4]) {
  return static_cast<float>(static_cast<long double>(PairRatio(gears[0], gears[1])) *
                            static_cast<long double>(PairRatio(gears[2], gears[3])));
}

template <class T>
bool ReadField(std::string_view& line, T& value) {
  const std::size_t tab = line.find('\t');
  const std::string_view field = line.substr(0, tab);
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return false;
  line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
  return tab != std::string_view::npos || line.empty();
}

}  // namespace

std::int64_t ExpectedSlots(int min_teeth, int max_teeth) {
  const std::int64_t n = max_teeth - min_teeth + 1;
  const std::int64_t pairs = n * n;
  return pairs * (pairs + 1) / 2 + 1;
}

TableCheck::TableCheck(int min_teeth, int max_teeth)
    : min_teeth_(min_teeth), max_teeth_(max_teeth), n_(max_teeth - min_teeth + 1) {
  if (n_ > 0) seen_.assign(static_cast<std::size_t>(n_) * n_ * n_ * n_, false);
}

void TableCheck::Fault(const std::string& what) {
  if (faults_.size() < kMaxFaults) {
    faults_.push_back("line " + std::to_string(lines_) + ": " + what);
  }
}

bool TableCheck::Parse(std::string_view line, std::int64_t& index, Record& r) {
  return ReadField(line, index) && ReadField(line, r.ratio) && ReadField(line, r.gears[0]) &&
         ReadField(line, r.gears[1]) && ReadField(line, r.gears[2]) &&
         ReadField(line, r.gears[3]) && ReadField(line, r.single) && line.empty();
}

void TableCheck::Line(std::string_view line) {
  std::int64_t index = -1;
  Record r{};
  if (!Parse(line, index, r)) {
    Fault("not a table record: " + std::string(line.substr(0, 80)));
  } else if (index != lines_) {
    Fault("index " + std::to_string(index) + " out of sequence");
  } else if (index > 0 && r.ratio < previous_ratio_) {
    Fault("ratio below the one before: not sorted");
  } else if (index == 0) {
    CheckZeroSlot(r);
  } else if (n_ > 0) {
    CheckCompound(r);
  } else {
    CheckZeroTable(r);
  }
  previous_ratio_ = r.ratio;
  if (r.single == 0) ++unflagged_;
  ++lines_;
}

void TableCheck::CheckZeroSlot(const Record& r) {
  const bool zero = r.ratio == 0 && (r.gears[0] | r.gears[1] | r.gears[2] | r.gears[3]) == 0;
  // When every entry is zero, the one unflagged slot may sort anywhere.
  if (!zero || (n_ > 0 && r.single != 0)) Fault("index 0 is not the zero slot");
}

std::size_t TableCheck::QuadrupleKey(const int gears[4]) const {
  std::size_t key = 0;
  for (int k = 0; k < 4; ++k) key = key * n_ + static_cast<std::size_t>(gears[k] - min_teeth_);
  return key;
}

void TableCheck::CheckCompound(const Record& r) {
  for (int g : r.gears) {
    if (g < min_teeth_ || g > max_teeth_) return Fault("a tooth count outside the limits");
  }
  if (r.ratio != CompoundRatio(r.gears)) return Fault("ratio is not the product of its pairs");
  const bool single = r.gears[0] == r.gears[1] || r.gears[2] == r.gears[3];
  if (r.single != (single ? 1 : 0)) Fault("IsSingle does not match the gears");
  const float first = PairRatio(r.gears[0], r.gears[1]);
  const float second = PairRatio(r.gears[2], r.gears[3]);
  // The pair that sorts lower comes first.
  if (first > second) Fault("the first pair has the larger ratio");
  const std::size_t key = QuadrupleKey(r.gears);
  if (seen_[key]) return Fault("the same two pairs appear twice");
  seen_[key] = true;
  if (first == second && (r.gears[0] != r.gears[2] || r.gears[1] != r.gears[3])) {
    equal_pair_ratios_.push_back(key);
  }
}

void TableCheck::CheckZeroTable(const Record& r) {
  if (r.ratio != 0 || (r.gears[0] | r.gears[1] | r.gears[2] | r.gears[3]) != 0) {
    Fault("an entry that is not zero though no pair fits the limits");
  }
}

const std::vector<std::string>& TableCheck::Finish() {
  const std::int64_t slots = ExpectedSlots(min_teeth_, max_teeth_);
  if (lines_ != slots) {
    Fault(std::to_string(lines_) + " slots instead of " + std::to_string(slots));
  }
  // Only the extra slot is unflagged when no pair fits; otherwise the unflagged
  // entries are the zero slot and the compounds without a 1:1 pair, checked above.
  if (n_ <= 0 && unflagged_ != 1) Fault("not exactly one unflagged slot in a table of zeros");
  // Two different pairs of equal ratio combine once, in one order only.
  for (const std::size_t key : equal_pair_ratios_) {
    const std::size_t pair_size = static_cast<std::size_t>(n_) * n_;
    const std::size_t swapped = (key % pair_size) * pair_size + key / pair_size;
    if (seen_[swapped]) Fault("two pairs of equal ratio combined in both orders");
  }
  return faults_;
}

}  // namespace cog::sweep
