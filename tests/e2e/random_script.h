#pragma once
// Random dialog actions in the action-script format of `cogwright-cli
// session`, for the soak. The same seed always gives the same actions, so a
// failing soak can be replayed.

#include <cstdint>
#include <random>
#include <string>

namespace cog::e2e {

class RandomScript {
 public:
  explicit RandomScript(std::uint32_t seed) : engine_(seed) {}

  // One action line without its line end: `target TEXT`, `find`, `higher`,
  // `lower`, `single 0|1` or `even 0|1`. Target texts never hold LF or NUL,
  // which neither the format nor an edit box can carry.
  std::string NextAction();
  // A target text alone, drawn from the same mix of kinds.
  std::string NextTargetText();

 private:
  std::uint32_t Below(std::uint32_t bound) { return engine_() % bound; }
  bool OneIn(std::uint32_t n) { return Below(n) == 0; }
  char Digit() { return static_cast<char>('0' + Below(10)); }
  std::string Digits(std::uint32_t min_count, std::uint32_t max_count);

  std::string RatioText();
  std::string LongText();
  std::string ControlText();
  std::string HighByteText();
  std::string RadixText();
  std::string ExponentText();
  // Any byte but LF and NUL.
  char AnyCarriedByte();

  std::mt19937 engine_;
};

}  // namespace cog::e2e
