#include "lathe/train_report.h"

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
  // Each physical gear once: the first driver where it is A, a keyed pair
  // where it is one middle shaft's two gears (B C, or D E of six), and the
  // rest taken out of the loose gears one by one.
  std::vector<int> left = profile.gears;
  std::vector<std::pair<int, int>> keyed = profile.keyed;
  std::vector<bool> held(gears.size(), false);
  held[0] = profile.first_driver == gears[0];
  for (std::size_t b = 1; gears.size() != 3 && b + 1 < gears.size() - 1; b += 2) {
    const auto it = std::find_if(keyed.begin(), keyed.end(), [&](const auto& pair) {
      return (pair.first == gears[b] && pair.second == gears[b + 1]) ||
             (pair.second == gears[b] && pair.first == gears[b + 1]);
    });
    if (it == keyed.end()) continue;
    keyed.erase(it);
    held[b] = held[b + 1] = true;
  }
  report->lacking.clear();
  std::vector<bool> lacking(gears.size(), false);
  // A simple train's idler is taken last, once A and D have theirs: it only
  // has to turn, so one gear of a keyed pair serves when no loose one is
  // left, the other turning freely beside it.
  std::vector<std::size_t> order(gears.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  if (gears.size() == 3) order = {0, 2, 1};
  for (const std::size_t k : order) {
    if (held[k]) continue;
    const auto it = std::find(left.begin(), left.end(), gears[k]);
    if (it != left.end()) {
      left.erase(it);
      continue;
    }
    const auto pair = std::find_if(keyed.begin(), keyed.end(), [&](const auto& p) {
      return p.first == gears[k] || p.second == gears[k];
    });
    if (gears.size() == 3 && k == 1 && pair != keyed.end()) {
      keyed.erase(pair);
      continue;
    }
    lacking[k] = true;
  }
  for (std::size_t k = 0; k < gears.size(); ++k)
    if (lacking[k]) report->lacking.push_back(gears[k]);
  report->a_not_first_driver = profile.first_driver && *profile.first_driver != gears[0];
  report->in_set = report->lacking.empty() && !report->a_not_first_driver;
  return true;
}

}  // namespace cog
