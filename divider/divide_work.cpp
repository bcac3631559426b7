#include "divider/divide_work.h"

#include <algorithm>
#include <vector>

namespace cog {
namespace {

// "9 million steps": what a refusal says of the work it spares.
std::string StepsText(std::int64_t steps) {
  return std::to_string((steps + 500'000) / 1'000'000) + " million steps";
}

bool WithinBudget(std::int64_t steps, const std::string& what, const std::string& less,
                  std::string* error) {
  if (steps <= kMaxDivideSteps) return true;
  *error = what + " would take about " + StepsText(steps) + " of the search, more than the " +
           StepsText(kMaxDivideSteps) + " one request may take: " + less;
  return false;
}

}  // namespace

std::int64_t DivideSteps(const Indexer& indexer, int from, int to) {
  std::int64_t steps = 0;
  for (int n = from; n <= to; ++n) steps += kDivideLineSteps + indexer.DifferentialReach(n);
  return steps;
}

bool CheckDivideSteps(const Indexer& indexer, int from, int to, std::string* error) {
  const std::string what =
      from == to ? "indexing " + std::to_string(from) + " divisions"
                 : "this chart of " + std::to_string(to - from + 1) + " numbers of divisions";
  return WithinBudget(DivideSteps(indexer, from, to), what,
                      std::string(from == to ? "" : "chart fewer numbers, or ") +
                          "give the head fewer circles or a narrower range of gears",
                      error);
}

std::int64_t AngleSteps(const Indexer& indexer, const Fraction& degrees) {
  return kDivideLineSteps + indexer.AngleDifferentialReach(degrees) * kAngleMoveSteps;
}

bool CheckAngleSteps(const Indexer& indexer, const Fraction& degrees, std::string* error) {
  return WithinBudget(AngleSteps(indexer, degrees), "indexing this angle",
                      "give the head fewer circles or a narrower range of gears", error);
}

std::int64_t NearestSteps(const Indexer& indexer, const DivideOptions& options) {
  return indexer.NearestReach(options) * kNearestMoveSteps;
}

bool CheckNearestSteps(const Indexer& indexer, const DivideOptions& options, std::string* error) {
  return WithinBudget(NearestSteps(indexer, options), "no way is exact, and finding the nearest",
                      "give the head fewer circles, or ask for simple indexing (--method simple)",
                      error);
}

std::int64_t HelixSteps(const DividingHead& head) {
  std::vector<int> distinct = head.gears;
  std::sort(distinct.begin(), distinct.end());
  const std::int64_t d = std::unique(distinct.begin(), distinct.end()) - distinct.begin();
  // Every ordered pair, and every A <= C over every B <= D.
  const std::int64_t trains = d * d + (d * (d + 1) / 2) * (d * (d + 1) / 2);
  return trains / kHelixTrainsPerStep;
}

bool CheckHelixSteps(const DividingHead& head, std::string* error) {
  return WithinBudget(HelixSteps(head),
                      "trying the trains of " + std::to_string(head.gears.size()) + " gears",
                      "give the head fewer gears", error);
}

}  // namespace cog
