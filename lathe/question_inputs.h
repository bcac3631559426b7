#pragma once
// The whole numbers a workshop question takes besides its target and its
// lathe: how many rows, how many starts, and the candidate gears of gear
// advice. Their bounds are checked here, once, for every shell: the
// command-line tool reads its options' texts with ReadInput, the page's
// queries (report/page/queries.h) get numbers and check them with CheckInput. Their
// defaults live in defaults.h.
//
// A refusal's input() names the value as report/page/queries.h documents it
// ("top", "starts", "from", "to") and its why() says what is wrong in the data's
// words ("0 is not a whole number from 1 to 1000"); each shell words it for
// its user.

#include <string_view>

#include "gears/gear_set.h"
#include "gears/status.h"
#include "lathe/target.h"
#include "lathe/train_search.h"

namespace cog {

// One whole-number input: its name in errors, and its bounds.
struct WholeInput {
  const char* input;
  int lo;
  int hi;
};

inline constexpr WholeInput kTopInput{"top", 1, kMaxTop};
inline constexpr WholeInput kStartsInput{"starts", 1, kMaxStarts};
inline constexpr WholeInput kFromInput{"from", kMinTeeth, kMaxTeeth};
inline constexpr WholeInput kToInput{"to", kMinTeeth, kMaxTeeth};

// Ok when `value` lies within the bounds of `what`.
Status CheckInput(const WholeInput& what, int value);

// The same for a value as typed, read by ReadWhole (gear_set.h): "2", "2.0"
// and "2e0" are all 2. Refused, quoting the text, when it is not a whole
// number within the bounds.
Status ReadInput(const WholeInput& what, std::string_view text, int* value);

// The candidate tooth counts of gear advice: each from kMinTeeth to kMaxTeeth
// and `from` not above `to` (an error about the order names "from").
Status CheckCandidates(int from, int to);

}  // namespace cog
