#include "lathe/question_inputs.h"

#include <string>

#include "numtext/quoted_text.h"

namespace cog {

Status CheckInput(const WholeInput& what, int value) {
  if (value >= what.lo && value <= what.hi) return Status::Ok();
  return Status::Refused(what.input, std::to_string(value) + " " + WholeRule(what.lo, what.hi));
}

Status ReadInput(const WholeInput& what, std::string_view text, int* value) {
  if (ReadWhole(text, what.lo, what.hi, value)) return Status::Ok();
  return Status::Refused(what.input, Quoted(text) + " " + WholeRule(what.lo, what.hi));
}

Status CheckCandidates(int from, int to) {
  Status status = CheckInput(kFromInput, from);
  if (status.ok()) status = CheckInput(kToInput, to);
  if (!status.ok() || from <= to) return status;
  return Status::Refused(kFromInput.input,
                         std::to_string(from) + " is above the largest candidate gear, " +
                             std::to_string(to) + ": the range is reversed (from " +
                             std::to_string(to) + " to " + std::to_string(from) + "?)");
}

}  // namespace cog
