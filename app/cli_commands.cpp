#include "app/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <ostream>
#include <string_view>

#include "app/command_forms.h"
#include "app/divide_commands.h"
#include "app/gear_command.h"
#include "app/version.h"
#include "app/workshop_commands.h"
#include "numtext/quoted_text.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_ids.h"
#include "ui/match_description.h"
#include "ui/memory_port.h"

namespace cog {
namespace {

// No action line comes near this; a longer one is refused before it is read
// whole, so a line of hundreds of megabytes costs no memory.
constexpr std::size_t kMaxSessionLine = 64 * 1024;

constexpr const char* kTitle =
    "cogwright-cli: change-gear ratios and trains from the command line\n";

// The ratio table's commands, as the dialog answers: after the lathe's, which
// most people come for.
constexpr const char* kHelp =
    "The ratio table (the dialog's Find, Higher and Lower):\n"
    "  cogwright-cli find TARGET [--teeth A B]\n"
    "      Shows the compound gear train whose ratio is nearest to TARGET, its actual\n"
    "      ratio and the error in percent, as the Find button does. TARGET is read\n"
    "      as the dialog reads its target box (\"abc\" reads as 0).\n"
    "  cogwright-cli table [--teeth A B]\n"
    "      Prints every slot of the sorted ratio table, one per line:\n"
    "      INDEX RATIO G1 G2 G3 G4 SINGLE (tab-separated; RATIO as %.9g).\n"
    "  cogwright-cli session [--teeth A B]\n"
    "      Replays dialog actions read from standard input, one per line:\n"
    "        target TEXT   put TEXT (everything after the first space) in the target box\n"
    "        find | higher | lower   press that button\n"
    "        single 0|1 | even 0|1   clear or tick that check box\n"
    "      It starts as the dialog does: target 0.12345, both boxes clear, index 0.\n"
    "      After find, higher and lower it prints\n"
    "        show INDEX ACTUAL G1 G2 G3 G4 ERROR GREY   (the box texts; GREY is 12, 34 or -)\n"
    "      or, when a step runs off an end of the table and shows nothing,\n"
    "        keep INDEX\n"
    "      (tab-separated). An unknown action, or a line of over 64 KiB, stops the run\n"
    "      with exit code 2.\n"
    "  cogwright-cli --help | --version\n"
    "\n"
    "  --teeth A B   the smallest and largest tooth count, taken as the program takes\n"
    "                its two command-line numbers (rounded, modulo 256, then at least 6\n"
    "                and at most 130). Default: 16 and 72.\n"
    "\n"
    "Exit codes: 0 done, 2 bad usage or unknown action, 3 the ratio table cannot be\n"
    "created (error 9 when it would exceed 4 GiB, error 7 when memory runs out) or\n"
    "memory ran out, 4 the output could not be written (a full disk, a closed pipe).\n";

// The match shown last, as the dialog shows it: ShowMatch has just stored its
// error.
MatchDescription Shown(const AppState& state) {
  return DescribeMatch(state.Tables.RatioTable[state.CurrentIndex], state.MatchError);
}

// The session's GREY column, a contract of its own: the pair's gear positions.
const char* GreyColumn(GreyPair grey) {
  switch (grey) {
    case GreyPair::kFirst:
      return "12";
    case GreyPair::kSecond:
      return "34";
    case GreyPair::kNone:
      break;
  }
  return "-";
}

constexpr const char* kUsage =
    "usage: cogwright-cli find TARGET [--teeth A B]\n"
    "       cogwright-cli table [--teeth A B]\n"
    "       cogwright-cli session [--teeth A B] < ACTIONS\n"
    "       cogwright-cli thread TARGET [--profile F] [--top N] [--all] [--starts N]\n"
    "       cogwright-cli train A B C D | A I D | A B C D E F [--profile F] [--target T]\n"
    "       cogwright-cli chart SERIES... [--profile F] | chart --list\n"
    "       cogwright-cli suggest SERIES... [--profile F] [--from N --to N]\n"
    "       cogwright-cli gear Z (--module M | --dp P | --cp C) [--helix ANGLE{R|L}]\n"
    "       cogwright-cli --help | --version\n";

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

std::string ShowLine(const AppState& state) {
  const MatchDescription shown = Shown(state);
  std::string line = "show\t" + std::to_string(state.CurrentIndex) + '\t' + shown.actual_ratio;
  for (const std::string& gear : shown.gears) line += '\t' + gear;
  return line + '\t' + shown.error + '\t' + GreyColumn(shown.grey);
}

// Applies one action line; false after reporting an unknown action.
bool ReplayAction(const std::string& line, std::size_t number, MemoryPort& port, AppState& state,
                  std::ostream& out, std::ostream& err) {
  const std::size_t space = line.find(' ');
  const std::string_view action = std::string_view(line).substr(0, space);
  const std::string_view rest =
      space == std::string::npos ? std::string_view() : std::string_view(line).substr(space + 1);
  if (action == "target") {
    port.SetItemText(IDC_TARGET_RATIO, std::string(rest));
    return true;
  }
  if ((action == "single" || action == "even") && (rest == "0" || rest == "1")) {
    port.SetCheckState(action == "single" ? IDC_SINGLE_ONLY : IDC_EVEN_ONLY, rest == "1");
    return true;
  }
  if (space == std::string::npos && (action == "find" || action == "higher" || action == "lower")) {
    bool shown = true;
    if (action == "find") {
      FindMatch(port, state);
    } else {
      shown = StepMatch(port, state, action == "higher" ? Direction::kHigher : Direction::kLower);
    }
    out << (shown ? ShowLine(state) : "keep\t" + std::to_string(state.CurrentIndex)) << '\n';
    return true;
  }
  err << "cogwright-cli: line " << number << ": unknown action " << Quoted(line) << "\n";
  return false;
}

// One line of `in` into *line, without its end; false at the end of the input.
// A line over kMaxSessionLine bytes is not read on: *too_long is set instead.
bool ReadActionLine(std::istream& in, std::string* line, bool* too_long) {
  line->clear();
  *too_long = false;
  std::streambuf* buffer = in.rdbuf();
  for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
    if (c == '\n') return true;
    if (line->size() == kMaxSessionLine) return *too_long = true, true;
    line->push_back(static_cast<char>(c));
  }
  return !line->empty();
}

int Session(AppState& state, std::istream& in, std::ostream& out, std::ostream& err) {
  MemoryPort port;
  std::string line;
  bool too_long = false;
  for (std::size_t number = 1; ReadActionLine(in, &line, &too_long); ++number) {
    if (too_long) {
      err << "cogwright-cli: line " << number << " is over " << kMaxSessionLine
          << " bytes; no action is that long\n";
      return 2;
    }
    if (!ReplayAction(line, number, port, state, out, err)) return 2;
    if (!out) return 0;  // lost output is reported once, where the program ends
  }
  return 0;
}

int Table(const AppState& state, std::ostream& out) {
  const EntryTable& table = state.Tables.RatioTable;
  char buffer[128];
  for (std::size_t i = 0; i < table.size(); ++i) {
    const RatioEntry e = table[i];
    const int n =
        std::snprintf(buffer, sizeof buffer, "%zu\t%.9g\t%u\t%u\t%u\t%u\t%u\n", i,
                      static_cast<double>(e.Ratio), e.Gear1, e.Gear2, e.Gear3, e.Gear4, e.IsSingle);
    // A failed write (a closed pipe, a full disk) ends the table at once; the
    // program reports it as it ends.
    if (!out.write(buffer, n)) return 0;
  }
  return 0;
}

std::string Train(const std::string& driver, const std::string& driven) {
  return driver + "/" + driven;
}

int Find(AppState& state, const std::string& target, std::ostream& out) {
  MemoryPort port;
  port.SetItemText(IDC_TARGET_RATIO, target);
  FindMatch(port, state);
  out << "Target ratio  " << Printable(target) << '\n';
  if (!HasGearTrain(state.Tables.RatioTable[state.CurrentIndex])) {
    out << "No gear train: the nearest entry is the empty slot of ratio 0 (index "
        << state.CurrentIndex << ").\n";
    return 0;
  }
  const MatchDescription shown = Shown(state);
  const std::string first = Train(shown.gears[0], shown.gears[1]);
  const std::string second = Train(shown.gears[2], shown.gears[3]);
  out << "Gear train    " << first << " x " << second
      << "   (driver/driven, first pair x second pair)\n";
  if (shown.grey == GreyPair::kFirst) {
    out << "Single pair   " << second << " alone gives it (" << first << " is 1:1)\n";
  } else if (shown.grey == GreyPair::kSecond) {
    out << "Single pair   " << first << " alone gives it (" << second << " is 1:1)\n";
  }
  out << "Actual ratio  " << shown.actual_ratio << '\n';
  out << "Error         " << shown.error << "   (actual above target is positive)\n";
  out << "Table index   " << state.CurrentIndex << " of " << state.Tables.RatioTable.TopIndex()
      << '\n';
  return 0;
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
    out << kTitle << '\n'
        << WorkshopHelp() << '\n'
        << kDivideHelp << '\n'
        << GearHelp() << '\n'
        << kHelp;
    return 0;
  }
  const std::string& command = parsed.command;
  if (IsWorkshopCommand(command)) {
    if (read) return RunWorkshop(parsed, out, err);
    err << "cogwright-cli: " << error << '\n';
    return 2;
  }
  if (IsDivideCommand(command)) {
    if (read) return RunDivide(parsed, out, err);
    err << "cogwright-cli: " << error << '\n';
    return 2;
  }
  if (command == "gear") {
    if (read) return RunGear(parsed, out, err);
    err << "cogwright-cli: " << error << '\n';
    return 2;
  }
  const bool known = command == "session" || command == "table" || command == "find";
  if (known && !read) {
    err << "cogwright-cli: " << error << '\n';
    return 2;
  }
  if (!known) {
    err << "cogwright-cli: " << UnknownCommandText(command, forms) << '\n' << kUsage;
    return 2;
  }
  if (parsed.positional.size() != (command == "find" ? 1u : 0u)) {
    err << "cogwright-cli: usage: cogwright-cli find TARGET | table | session [--teeth A B]"
           " (--help explains)\n";
    return 2;
  }
  ToothLimits limits;
  if (parsed.Has("teeth"))
    // Taken verbatim, even when empty or starting with a minus sign.
    limits = LimitsFromParameters(parsed.options["teeth"][0], parsed.options["teeth"][1]);
  AppState state;
  const RunError failure = StartupWithLimits(state, limits);
  if (failure != RunError::kNone) {
    err << "cogwright-cli: " << TableFailureText(failure, state.Limits) << '\n';
    return 3;
  }
  if (command == "session") return Session(state, in, out, err);
  if (command == "table") return Table(state, out);
  return Find(state, parsed.positional[0], out);
}

}  // namespace cog
