#pragma once
// The outcome of reading or checking what a user gave: ok, or refused. A
// refusal names what was refused in the data's own words (the profile key, the
// head file's member, the question's input: "leadscrew", "plates", "top"; empty
// when the text as a whole is at fault), says why ("\"2.5\" is not a whole
// number from 1 to 1000"), and whether the value is only missing, which a
// shell may answer by asking for it rather than by blaming it. Each shell
// words a refusal for its user: the option on the command line, the form
// field on the page.

#include <string>
#include <utility>

namespace cog {

class [[nodiscard]] Status {
 public:
  // Ok.
  Status() = default;
  static Status Ok() { return Status(); }

  // REQUIRES: `why` is not empty (an empty reason would read as ok).
  static Status Refused(std::string input, std::string why) {
    return Status(std::move(input), std::move(why), false);
  }
  static Status Missing(std::string input, std::string why) {
    return Status(std::move(input), std::move(why), true);
  }

  bool ok() const { return why_.empty(); }
  bool missing() const { return missing_; }
  const std::string& input() const { return input_; }
  const std::string& why() const { return why_; }

  // The same refusal with `prefix` before its reason, from a caller that
  // knows where the value came from ("head h.json: ").
  Status Prefixed(const std::string& prefix) const {
    return ok() ? *this : Status(input_, prefix + why_, missing_);
  }

 private:
  Status(std::string input, std::string why, bool missing)
      : input_(std::move(input)), why_(std::move(why)), missing_(missing) {}

  std::string input_;
  std::string why_;
  bool missing_ = false;
};

}  // namespace cog
