#include "numtext/decimal_digits.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace cog {
namespace {

// Largest power of five that fits a limb, so long products take few passes.
constexpr std::uint32_t kFiveToThe13 = 1220703125;
constexpr std::uint32_t kBillion = 1000000000;
// 10^4933 is beyond the largest extended value (about 1.19e4932).
constexpr int kFirstOverflowingPowerOfTen = 4933;

// A natural number as little-endian 32-bit limbs; only the few operations the
// conversions need.
class BigNat {
 public:
  explicit BigNat(std::uint64_t value) {
    for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
  }

  void MultiplySmall(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  void MultiplyByPowerOfFive(int exponent) {
    for (; exponent >= 13; exponent -= 13) MultiplySmall(kFiveToThe13);
    std::uint32_t factor = 1;
    for (; exponent > 0; --exponent) factor *= 5;
    MultiplySmall(factor);
  }

  void ShiftLeft(int bits) {
    const int limb_shift = bits / 32;
    const int bit_shift = bits % 32;
    if (bit_shift != 0) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t next_carry = limb >> (32 - bit_shift);
        limb = (limb << bit_shift) | carry;
        carry = next_carry;
      }
      if (carry != 0) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(limb_shift), 0);
  }

  // Returns the remainder.
  std::uint32_t DivideSmall(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      const std::uint64_t dividend = (remainder << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(dividend / divisor);
      remainder = dividend % divisor;
    }
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    return static_cast<std::uint32_t>(remainder);
  }

  int BitLength() const {
    if (limbs_.empty()) return 0;
    int top_bits = 0;
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++top_bits;
    return static_cast<int>(limbs_.size() - 1) * 32 + top_bits;
  }

  bool Bit(int index) const { return (Limb(index / 32) >> (index % 32)) & 1; }

  bool AnyBitBelow(int index) const {
    for (int i = 0; i < index / 32; ++i) {
      if (Limb(i) != 0) return true;
    }
    const std::uint32_t mask = (std::uint32_t{1} << (index % 32)) - 1;
    return (Limb(index / 32) & mask) != 0;
  }

  // The number shifted right by `shift`. REQUIRES: the result fits in 64 bits.
  std::uint64_t BitsFrom(int shift) const {
    const int q = shift / 32;
    const int r = shift % 32;
    const std::uint64_t low = Limb(q) | (std::uint64_t{Limb(q + 1)} << 32);
    const std::uint64_t high = Limb(q + 2);
    return r == 0 ? low : (low >> r) | (high << (64 - r));
  }

  bool IsZero() const { return limbs_.empty(); }

  // Consumes the number.
  std::string TakeDecimal() {
    std::vector<std::uint32_t> chunks;  // base 10^9, least significant first
    while (!IsZero()) chunks.push_back(DivideSmall(kBillion));
    std::string text;
    for (std::size_t i = chunks.size(); i-- > 0;) {
      char chunk[9];
      std::uint32_t value = chunks[i];
      for (int d = 8; d >= 0; --d, value /= 10) chunk[d] = static_cast<char>('0' + value % 10);
      text.append(chunk, 9);
    }
    const std::size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? std::string() : text.substr(first);
  }

 private:
  std::uint32_t Limb(int index) const {
    return index < static_cast<int>(limbs_.size()) ? limbs_[static_cast<std::size_t>(index)] : 0;
  }

  std::vector<std::uint32_t> limbs_;
};

}  // namespace

DecimalExpansion ExactDecimal(Extended value) {
  if (value == Extended(0)) return {};
  const ExtendedParts parts = PartsOf(value);
  std::uint64_t significand = parts.significand;
  int exponent = parts.exponent;
  // Fewer factors of two mean fewer factors of five to multiply in below.
  for (; (significand & 1) == 0; significand >>= 1) ++exponent;

  BigNat number(significand);
  DecimalExpansion result;
  if (exponent >= 0) {
    number.ShiftLeft(exponent);
    result.digits = number.TakeDecimal();
    result.point = static_cast<int>(result.digits.size());
  } else {
    // m / 2^n = m * 5^n / 10^n
    number.MultiplyByPowerOfFive(-exponent);
    result.digits = number.TakeDecimal();
    result.point = static_cast<int>(result.digits.size()) + exponent;
  }
  result.digits.erase(result.digits.find_last_not_of('0') + 1);
  return result;
}

Extended PowerOfTen(int exponent) {
  if (exponent >= kFirstOverflowingPowerOfTen) return ExtendedInfinity();
  // 10^p = 5^p * 2^p: only the odd factor needs rounding to 64 bits.
  BigNat five_power(1);
  five_power.MultiplyByPowerOfFive(exponent);
  int shift = five_power.BitLength() > 64 ? five_power.BitLength() - 64 : 0;
  std::uint64_t significand = five_power.BitsFrom(shift);
  if (shift > 0 && five_power.Bit(shift - 1) &&
      (five_power.AnyBitBelow(shift - 1) || (significand & 1) != 0)) {
    ++significand;
    if (significand == 0) {  // carried out of 64 bits
      significand = std::uint64_t{1} << 63;
      ++shift;
    }
  }
  return Ldexp(Extended(significand), shift + exponent);
}

}  // namespace cog
