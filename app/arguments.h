#pragma once
// cogwright-cli's command line, read against each command's form: which
// options it takes and how many values each has (0: a flag).
//
// The command is the first argument that is neither an option nor an
// option's value; options may stand before or after it. An option's values
// are taken verbatim, even when they start with "-" or read "--help", so
// "--profile -h" names a file. "--help" or "-h" standing on its own, or
// "help" as the command, asks for the help; nothing else is read then.
// Anything else starting with "--" must be an option of the command, up to
// a "--" standing on its own: everything after it is the command or its
// positionals, verbatim ("divide -- 127", "chart -- -1.25mm").
// No argument may be longer than kMaxArgumentBytes.

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cog {

// The longest real argument, a gear list written out gear by gear, takes a
// few hundred bytes; anything far beyond that is a mistake or an attack.
inline constexpr std::size_t kMaxArgumentBytes = 4096;

// Ends the options, as with every Unix tool.
inline constexpr std::string_view kEndOfOptions = "--";

struct OptionForm {
  const char* name;  // without the leading "--"
  int values;        // 0 for a flag
};

struct CommandForm {
  const char* name;
  std::vector<OptionForm> options;
};

struct Arguments {
  bool help = false;
  std::string command;
  std::vector<std::string> positional;
  std::map<std::string, std::vector<std::string>> options;  // a flag has no values

  bool Has(const std::string& name) const { return options.count(name) > 0; }
  // The option's first value, or `fallback` when it is not given.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
};

// False with *error (one line, naming the option) when an option is unknown
// to the command, given twice or short of values, or an argument is too long. An unknown command is
// not an error here: out->command holds it and the caller says what to do.
bool ParseArguments(const std::vector<std::string>& args, std::span<const CommandForm> forms,
                    Arguments* out, std::string* error);

}  // namespace cog
