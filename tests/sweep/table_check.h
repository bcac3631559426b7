#pragma once
// Checks a ratio table, as `cogwright-cli table` prints it, against what the
// table must be for its tooth limits, one line at a time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cog::sweep {

// Slots of the table for these limits: N(N+1)/2 + 1 with N = n^2 and
// n = max_teeth - min_teeth + 1, which may be zero or negative.
std::int64_t ExpectedSlots(int min_teeth, int max_teeth);

class TableCheck {
 public:
  TableCheck(int min_teeth, int max_teeth);

  // One record: INDEX RATIO G1 G2 G3 G4 SINGLE, tab-separated.
  void Line(std::string_view line);
  // Call after the last line; returns the faults found (empty when none).
  const std::vector<std::string>& Finish();

  std::int64_t lines() const { return lines_; }

 private:
  struct Record {
    float ratio;
    int gears[4];
    int single;
  };
  bool Parse(std::string_view line, std::int64_t& index, Record& r);
  void CheckZeroSlot(const Record& r);
  void CheckCompound(const Record& r);
  void CheckZeroTable(const Record& r);
  std::size_t QuadrupleKey(const int gears[4]) const;
  void Fault(const std::string& what);

  int min_teeth_;
  int max_teeth_;
  int n_;
  std::int64_t lines_ = 0;
  float previous_ratio_ = 0;
  std::int64_t unflagged_ = 0;
  std::vector<bool> seen_;                      // every compound of two pairs appears once
  std::vector<std::size_t> equal_pair_ratios_;  // compounds of two pairs of one ratio
  std::vector<std::string> faults_;
};

}  // namespace cog::sweep
