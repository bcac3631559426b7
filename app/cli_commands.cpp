#include "app/cli_commands.h"

#include <algorithm>
#include <ostream>

#include "app/cli_table.h"
#include "app/version.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

constexpr const char* kTitle =
    "cogwright-cli: change-gear ratios and trains from the command line\n";

// Letters to change, add or drop to turn a into b.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// "unknown command "thred" (did you mean thread?)", the nearest by spelling
// when it is near enough to be a slip.
std::string UnknownCommandText(const std::string& command, const std::vector<CommandForm>& forms) {
  if (command.empty()) return "no command given";
  const CommandForm* nearest = nullptr;
  std::size_t best = 3;  // more letters off than this is another word
  for (const CommandForm& form : forms) {
    const std::size_t d = EditDistance(command.substr(0, 40), form.name);
    if (d < best) best = d, nearest = &form;
  }
  return "unknown command " + Quoted(command) +
         (nearest ? std::string(" (did you mean ") + nearest->name + "?)" : "");
}

// The writer --format names among the command's, the first when it is not
// given; null after reporting a format the command does not write.
const CliFormat* ChosenFormat(const CliCommand& command, const Arguments& args, std::ostream& err) {
  if (command.formats.empty()) return nullptr;
  if (!args.Has("format")) return &command.formats.front();
  const std::string format = args.Value("format");
  for (const CliFormat& candidate : command.formats)
    if (format == candidate.name) return &candidate;
  err << "cogwright-cli: --format " << Quoted(format) << " is not one of the formats "
      << CliCommandName(command) << " writes\n";
  return nullptr;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.size() == 1 && args[0] == "--version") {
    out << "cogwright-cli " << COG_VERSION << '\n';
    return 0;
  }
  const std::vector<CommandForm> forms = CliForms();
  Arguments parsed;
  std::string error;
  const bool read = ParseArguments(args, forms, &parsed, &error);
  if (parsed.help) {
    out << kTitle << '\n' << CliHelp();
    return 0;
  }
  const CliCommand* command = FindCliCommand(parsed);
  if (!command) {
    err << "cogwright-cli: " << UnknownCommandText(parsed.command, forms) << '\n' << CliUsage();
    return 2;
  }
  if (!read) {
    err << "cogwright-cli: " << error << '\n';
    return 2;
  }
  const CliFormat* format = ChosenFormat(*command, parsed, err);
  if (!format && !command->formats.empty()) return 2;
  return command->run(CliCall{parsed, in, out, err, format});
}

}  // namespace cog
