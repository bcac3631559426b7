#pragma once
// A machine's change gears: the tooth counts a gear may have, and the gear
// list as people write one. Any machine with change gears reads its set here.

#include <string>
#include <string_view>
#include <vector>

namespace cog {

inline constexpr int kMinTeeth = 8;
inline constexpr int kMaxTeeth = 300;
inline constexpr int kMaxGears = 60;

// A whole number from lo to hi, written as any exact number text ReadFraction
// takes ("20", "20.0", "2e1"): the one reader of every whole number a user
// types, options and list items alike.
[[nodiscard]] bool ReadWhole(std::string_view text, int lo, int hi, int* out);

// "is not a whole number from 1 to 100": the rule such a number breaks.
std::string WholeRule(int lo, int hi);

// "is not a whole number from 8 to 300": the rule a tooth count breaks.
std::string TeethRule();

// One tooth count: a whole number from kMinTeeth to kMaxTeeth, written as any
// exact number text ("20", "20.0", "2e1"). False with *error quoting the text.
[[nodiscard]] bool ReadTeeth(std::string_view text, int* teeth, std::string* error);

// A gear list as people write one, items separated by commas: a tooth count
// ("127"), a range with its step ("20-80/5" is 20, 25, ... 80; without a step
// every tooth count), or copies ("2x20", "2×20" or "2*20"). At most
// kMaxGears gears in all. False with *error naming the item that is wrong.
[[nodiscard]] bool ReadGearList(std::string_view text, std::vector<int>* gears, std::string* error);

}  // namespace cog
