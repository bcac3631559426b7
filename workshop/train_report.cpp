#include "workshop/train_report.h"

#include <algorithm>

namespace cog {

bool ReportTrain(const LatheProfile& profile, const std::vector<int>& gears, const Target* target,
                 TrainReport* report, std::string* error) {
  if (gears.size() != 3 && gears.size() != 4 && gears.size() != 6) {
    *error = "a train has 3 (A I D), 4 (A B C D) or 6 gears";
    return false;
  }
  const Lead lead = target ? target->lead : Lead{true, Whole(1), 1};
  report->positions.clear();
  const int count = std::max<int>(1, static_cast<int>(profile.gearbox.size()));
  for (int g = 0; g < count; ++g) {
    TrainRow row;
    if (!DescribeTrain(profile, gears, profile.gearbox.empty() ? -1 : g, lead, &row, error))
      return false;
    report->positions.push_back(std::move(row));
  }
  report->rules.clear();
  if (profile.geometry && gears.size() != 6 &&
      !FitRules(*profile.geometry, gears, &report->rules)) {
    *error = "the banjo's figures are too large to compute exactly";
    return false;
  }
  // Each physical gear once: take the train's gears out of the set one by one.
  std::vector<int> left = profile.gears;
  report->lacking.clear();
  for (int teeth : gears) {
    const auto it = std::find(left.begin(), left.end(), teeth);
    if (it == left.end())
      report->lacking.push_back(teeth);
    else
      left.erase(it);
  }
  report->in_set = report->lacking.empty();
  return true;
}

}  // namespace cog
