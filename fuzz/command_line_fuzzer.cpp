// Arbitrary bytes as a whole command line and as a command tail: the name is
// cut off, the parameters are picked, the blanks trimmed and the tooth limits
// settled, whatever the quotes, blanks and control characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/tooth_limits.h"
#include "fuzz/fuzz_check.h"
#include "numtext/command_line.h"

namespace cog::fuzz {
namespace {

constexpr char kBlank = ' ';
constexpr char kQuote = '"';

bool AllBlanks(std::string_view text) {
  return text.find_first_not_of(kBlank) == std::string_view::npos;
}

void CheckTrim(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  Require(trimmed.empty() == AllBlanks(text), "only a text of blanks trims to nothing");
  if (trimmed.empty()) return;
  Require(trimmed.front() != kBlank && trimmed.back() != kBlank, "no blank left at either end");
  const std::size_t at = text.find_first_not_of(kBlank);
  Require(text.substr(at, trimmed.size()) == trimmed, "the text minus its outer blanks");
  Require(AllBlanks(text.substr(at + trimmed.size())), "only blanks removed at the end");
  Require(TrimBlanks(trimmed) == trimmed, "trimming twice changes nothing");
}

void CheckTail(std::string_view command_line) {
  const std::string tail = CommandTail(command_line);
  Require(tail.size() <= command_line.size() &&
              command_line.substr(command_line.size() - tail.size()) == tail,
          "the tail is the end of the command line");
  Require(tail.empty() || tail.front() != kBlank, "the blanks after the name are skipped");
}

// Parameters come out in order, each a piece of the tail found after the one
// before; once one is missing, every later one is missing too.
void CheckParameters(std::string_view tail) {
  Require(CommandParameter(tail, 0) == tail, "parameter 0 is the whole tail");
  std::size_t position = 0;
  // Every parameter takes at least one character of the tail.
  for (std::size_t n = 1; n <= tail.size() + 1; ++n) {
    const std::string parameter = CommandParameter(tail, n);
    if (parameter.empty()) {
      Require(CommandParameter(tail, n + 1).empty(), "no parameter after a missing one");
      return;
    }
    const std::size_t found = tail.find(parameter, position);
    Require(found != std::string_view::npos, "a parameter is a piece of the tail, in order");
    position = found + parameter.size();
    const bool has_blank = parameter.find(kBlank) != std::string::npos;
    const bool has_quote = parameter.find(kQuote) != std::string::npos;
    Require(!(has_blank && has_quote), "a blank only inside quotes, a quote only outside");
  }
  Require(false, "more parameters than characters");
}

void CheckLimits(std::string_view tail) {
  const StartupLimits startup = LimitsFromCommandTail(tail);
  const bool blank = TrimBlanks(tail).empty();
  Require(startup.from_command_line == !blank, "the notice is due exactly for a non-blank tail");
  if (blank) {
    Require(startup.limits.MinTeeth == 16 && startup.limits.MaxTeeth == 72, "defaults 16, 72");
    return;
  }
  Require(startup.limits.MinTeeth >= 6, "MinTeeth has a floor of 6");
  Require(startup.limits.MaxTeeth <= 130, "MaxTeeth has a ceiling of 130");
  const ToothLimits picked =
      LimitsFromParameters(CommandParameter(tail, 1), CommandParameter(tail, 2));
  Require(picked.MinTeeth == startup.limits.MinTeeth && picked.MaxTeeth == startup.limits.MaxTeeth,
          "the limits are parameters 1 and 2 of the tail");
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckTrim(text);
  CheckTail(text);
  const std::string tail = cog::CommandTail(text);
  CheckParameters(tail);
  CheckLimits(tail);
  // The bytes as a tail themselves, which may then begin with blanks.
  CheckParameters(text);
  CheckLimits(text);
  return 0;
}
