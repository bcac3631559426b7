#pragma once
// Runs cogwright-cli as a child process and hands its standard output over line
// by line as it comes, so a table of millions of lines is never held whole.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cog::sweep {

struct CliOutcome {
  int exit_code = -1;  // -1 when the child did not exit normally
  std::string standard_error;
};

struct CliRequest {
  std::string program;
  std::vector<std::string> arguments;
  // When non-zero, the child's address space is capped at this many bytes, so
  // that a large table cannot be had.
  std::uint64_t address_space_limit = 0;
};

// Calls on_line for every line of standard output, without its "\n"; a last
// line without "\n" is passed as well.
CliOutcome RunCliLines(const CliRequest& request,
                       const std::function<void(std::string_view)>& on_line);

}  // namespace cog::sweep
