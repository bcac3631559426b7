#include "tests/e2e/random_script.h"

#include <array>
#include <string_view>

namespace cog::e2e {
namespace {

// The edit box's usual text limit; longer texts still go in through WM_SETTEXT.
constexpr std::uint32_t kLongestText = 30000;

constexpr std::array<std::string_view, 8> kRadixSuffixes = {"", "", "&", "&&", "%", "!", "#", "@"};
constexpr std::array<std::string_view, 12> kExponents = {
    "5000", "-5000", "38", "39", "-38", "-46", "308", "309", "4932", "-4951", "99999999999", ""};
constexpr std::array<std::string_view, 6> kExponentLetters = {"e", "E", "d", "D", "e+", "E-"};
// Texts whose handling is easy to get wrong and deserves more than chance.
constexpr std::array<std::string_view, 10> kLandmarks = {
    "0.12345", "0.5", "1", "0", "-0", "-1", "&HFFFFFFFF&&", "&B101", "1e5000", "1e-5000"};

}  // namespace

std::string RandomScript::NextAction() {
  const std::uint32_t pick = Below(100);
  if (pick < 30) {
    const std::string text = NextTargetText();
    // Both spellings of an empty box: the bare word and the word with a space.
    return text.empty() && OneIn(2) ? "target" : "target " + text;
  }
  if (pick < 55) return "find";
  if (pick < 70) return "higher";
  if (pick < 85) return "lower";
  const std::string state = OneIn(2) ? "1" : "0";
  return (pick < 92 ? "single " : "even ") + state;
}

std::string RandomScript::NextTargetText() {
  switch (Below(10)) {
    case 0:
    case 1:
      return RatioText();
    case 2:
      return LongText();
    case 3:
      return ControlText();
    case 4:
      return HighByteText();
    case 5:
      return RadixText();
    case 6:
      return ExponentText();
    case 7:
      return std::string(kLandmarks[Below(kLandmarks.size())]);
    case 8:
      return "";
    default:
      return "0." + Digits(1, 7);
  }
}

std::string RandomScript::Digits(std::uint32_t min_count, std::uint32_t max_count) {
  std::string digits;
  const std::uint32_t count = min_count + Below(max_count - min_count + 1);
  for (std::uint32_t i = 0; i < count; ++i) digits += Digit();
  return digits;
}

std::string RandomScript::RatioText() {
  std::string text = OneIn(8) ? std::string(1 + Below(3), ' ') : "";
  if (OneIn(10)) text += OneIn(2) ? "-" : "+";
  text += Digits(0, 4) + "." + Digits(0, 12);
  if (OneIn(8)) text += std::string(1 + Below(3), ' ');
  return text;
}

std::string RandomScript::LongText() {
  const std::uint32_t length = OneIn(4) ? kLongestText : 1 + Below(kLongestText);
  std::string text;
  text.reserve(length);
  switch (Below(3)) {
    case 0:  // a decimal with far more digits than the significand keeps
      text = "0.";
      while (text.size() < length) text += Digit();
      break;
    case 1:  // a number behind a long run of blanks
      text.assign(length > 8 ? length - 8 : 0, ' ');
      text += "0.2" + Digits(5, 5);
      break;
    default:
      while (text.size() < length) text += AnyCarriedByte();
  }
  text.resize(length);
  return text;
}

std::string RandomScript::ControlText() {
  std::string text = RatioText();
  for (std::uint32_t i = 0, count = 1 + Below(4); i < count; ++i) {
    std::uint32_t byte = 1 + Below(32);  // 1..31, or 32 standing for DEL
    if (byte == 32) byte = 127;
    if (byte == '\n') byte = '\r';
    text.insert(Below(static_cast<std::uint32_t>(text.size()) + 1), 1, static_cast<char>(byte));
  }
  return text;
}

std::string RandomScript::HighByteText() {
  std::string text = OneIn(2) ? RatioText() : "";
  for (std::uint32_t i = 0, count = 1 + Below(6); i < count; ++i) {
    const auto byte = static_cast<char>(128 + Below(128));
    text.insert(Below(static_cast<std::uint32_t>(text.size()) + 1), 1, byte);
  }
  return text;
}

std::string RandomScript::RadixText() {
  static constexpr std::string_view kHex = "0123456789ABCDEFabcdef";
  std::string text;
  switch (Below(3)) {
    case 0:
      text = OneIn(2) ? "&H" : "&h";
      for (std::uint32_t i = 0, n = Below(11); i < n; ++i) text += kHex[Below(kHex.size())];
      break;
    case 1:
      text = OneIn(2) ? "&B" : "&b";
      for (std::uint32_t i = 0, n = Below(35); i < n; ++i)
        text += static_cast<char>('0' + Below(2));
      break;
    default:
      text = OneIn(2) ? "&O" : "&";
      for (std::uint32_t i = 0, n = Below(13); i < n; ++i)
        text += static_cast<char>('0' + Below(8));
  }
  return text + std::string(kRadixSuffixes[Below(kRadixSuffixes.size())]);
}

std::string RandomScript::ExponentText() {
  std::string text = OneIn(6) ? "." + Digits(1, 3) : Digits(1, 3);
  if (OneIn(3)) text += "." + Digits(0, 20);
  text += kExponentLetters[Below(kExponentLetters.size())];
  return text + std::string(kExponents[Below(kExponents.size())]);
}

char RandomScript::AnyCarriedByte() {
  std::uint32_t byte = 1 + Below(255);
  if (byte == '\n') byte = ' ';
  return static_cast<char>(byte);
}

}  // namespace cog::e2e
