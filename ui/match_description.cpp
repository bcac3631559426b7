#include "ui/match_description.h"

#include "numtext/extended.h"
#include "numtext/number_format.h"
#include "numtext/number_reader.h"

namespace cog {
namespace {

constexpr float kNoRatioError = 9.999999f;

}  // namespace

bool HasGearTrain(const RatioEntry& entry) { return entry.Ratio > 0; }

float MatchErrorOf(const RatioEntry& entry, float target) {
  if (!HasGearTrain(entry)) return kNoRatioError;
  return NarrowToFloat(Extended(1) - Extended(target) / Extended(entry.Ratio));
}

MatchDescription DescribeMatch(const RatioEntry& entry, float match_error) {
  MatchDescription shown;
  shown.actual_ratio = FormatNumber(entry.Ratio, "####.######");
  const std::uint8_t gears[] = {entry.Gear1, entry.Gear2, entry.Gear3, entry.Gear4};
  for (int k = 0; k < 4; ++k) shown.gears[k] = FormatNumber(gears[k], "####");
  shown.error = FormatNumber(match_error, "0.0000%");
  if (entry.Gear1 == entry.Gear2) {
    shown.grey = GreyPair::kFirst;
  } else if (entry.Gear3 == entry.Gear4) {
    shown.grey = GreyPair::kSecond;
  }
  return shown;
}

}  // namespace cog
