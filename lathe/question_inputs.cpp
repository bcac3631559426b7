#include "lathe/question_inputs.h"

#include <string>

#include "numtext/quoted_text.h"

namespace cog {

bool CheckInput(const WholeInput& what, int value, InputError* error) {
  if (value >= what.lo && value <= what.hi) return true;
  *error = {what.input, std::to_string(value) + " " + WholeRule(what.lo, what.hi)};
  return false;
}

bool ReadInput(const WholeInput& what, std::string_view text, int* value, InputError* error) {
  if (ReadWhole(text, what.lo, what.hi, value)) return true;
  *error = {what.input, Quoted(text) + " " + WholeRule(what.lo, what.hi)};
  return false;
}

bool CheckCandidates(int from, int to, InputError* error) {
  if (!CheckInput(kFromInput, from, error) || !CheckInput(kToInput, to, error)) return false;
  if (from <= to) return true;
  *error = {kFromInput.input, std::to_string(from) + " is above the largest candidate gear, " +
                                  std::to_string(to) + ": the range is reversed (from " +
                                  std::to_string(to) + " to " + std::to_string(from) + "?)"};
  return false;
}

}  // namespace cog
