#include "app/ratio_table_commands.h"

#include <cstdio>
#include <istream>
#include <ostream>
#include <string_view>

#include "numtext/quoted_text.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_ids.h"
#include "ui/match_description.h"
#include "ui/memory_port.h"

namespace cog {

const char* const kRatioTableHelp =
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

namespace {

// No action line comes near this; a longer one is refused before it is read
// whole, so a line of hundreds of megabytes costs no memory.
constexpr std::size_t kMaxSessionLine = 64 * 1024;

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

std::string PairText(const std::string& driver, const std::string& driven) {
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
  const std::string first = PairText(shown.gears[0], shown.gears[1]);
  const std::string second = PairText(shown.gears[2], shown.gears[3]);
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

// The table every command of the ratio table starts from, as the program
// builds it at start-up; false after reporting a command line of the wrong
// shape (exit 2) or a table that cannot be built (*code 3).
bool StartTable(const CliCall& call, std::size_t positionals, AppState* state, int* code) {
  const Arguments& args = call.args;
  if (args.positional.size() != positionals) {
    *code = call.Refuse(Status::Refused(
        "", "usage: cogwright-cli find TARGET | table | session [--teeth A B] (--help explains)"));
    return false;
  }
  ToothLimits limits;
  if (args.Has("teeth"))
    // Taken verbatim, even when empty or starting with a minus sign.
    limits = LimitsFromParameters(args.options.at("teeth")[0], args.options.at("teeth")[1]);
  const RunError failure = StartupWithLimits(*state, limits);
  if (failure == RunError::kNone) return true;
  call.err << "cogwright-cli: " << TableFailureText(failure, state->Limits) << '\n';
  *code = 3;
  return false;
}

}  // namespace

int RunFind(const CliCall& call) {
  AppState state;
  int code = 0;
  if (!StartTable(call, 1, &state, &code)) return code;
  return Find(state, call.args.positional[0], call.out);
}

int RunTable(const CliCall& call) {
  AppState state;
  int code = 0;
  if (!StartTable(call, 0, &state, &code)) return code;
  return Table(state, call.out);
}

int RunSession(const CliCall& call) {
  AppState state;
  int code = 0;
  if (!StartTable(call, 0, &state, &code)) return code;
  return Session(state, call.in, call.out, call.err);
}

}  // namespace cog
