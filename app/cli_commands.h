#pragma once
// The commands of cogwright-cli, with their streams passed in so that they can
// be run and checked without a process.

#include <iosfwd>
#include <string>
#include <vector>

namespace cog {

// Runs one command line (the arguments after the program name) and returns the
// process exit code: 0 done, 2 bad usage or input, 3 the table cannot be created.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace cog
