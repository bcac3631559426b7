#include "engine/tooth_limits.h"

#include "numtext/command_line.h"
#include "numtext/number_format.h"
#include "numtext/number_reader.h"

namespace cog {
namespace {

constexpr std::uint8_t kMinTeethFloor = 6;
constexpr std::uint8_t kMaxTeethCeiling = 130;

}  // namespace

ToothLimits LimitsFromParameters(std::string_view first, std::string_view second) {
  ToothLimits limits;
  limits.MinTeeth = ToByte(ReadNumber(first));
  limits.MaxTeeth = ToByte(ReadNumber(second));
  if (limits.MinTeeth < kMinTeethFloor) limits.MinTeeth = kMinTeethFloor;
  if (limits.MaxTeeth > kMaxTeethCeiling) limits.MaxTeeth = kMaxTeethCeiling;
  return limits;
}

StartupLimits LimitsFromCommandTail(std::string_view tail) {
  StartupLimits result;
  if (TrimBlanks(CommandParameter(tail, 0)).empty()) return result;
  result.limits = LimitsFromParameters(CommandParameter(tail, 1), CommandParameter(tail, 2));
  result.from_command_line = true;
  return result;
}

}  // namespace cog
