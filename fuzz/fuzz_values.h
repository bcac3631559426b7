#pragma once
// Numbers made from fuzz input bytes.

#include <cfloat>
#include <cstdint>
#include <cstring>

namespace cog::fuzz {

static_assert(LDBL_MANT_DIG == 64, "extended values are the x87 80-bit type");

// Four bytes as a float: every bit pattern, NaNs and denormals included.
inline float FloatFromBytes(const std::uint8_t* bytes) {
  float value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Ten bytes as an x87 extended value. The explicit integer bit is set from the
// exponent, as every arithmetic result has it: the encodings the FPU itself
// never produces (unnormals, pseudo-denormals) cannot reach the program.
inline long double ExtendedFromBytes(const std::uint8_t* bytes) {
  std::uint8_t image[sizeof(long double)] = {};
  std::memcpy(image, bytes, 10);
  const bool zero_exponent = image[8] == 0 && (image[9] & 0x7F) == 0;
  image[7] = zero_exponent ? (image[7] & 0x7F) : (image[7] | 0x80);
  long double value;
  std::memcpy(&value, image, sizeof value);
  return value;
}

}  // namespace cog::fuzz
