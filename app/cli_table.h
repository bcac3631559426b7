#pragma once
// cogwright-cli's commands, one row each: the name and options the command
// line is read against, its usage line, the --help section it belongs to,
// the formats it writes with the writer of each, and the runner. RunCli
// (cli_commands.h) reads the arguments against the rows' forms, finds the
// row, checks --format against the row's formats, and hands the runner the
// chosen writer; the help, the usage for a mistyped command and the forms
// the argument fuzzer reads are all made from the rows, so none can drift.
//
// Adding a command is one row in CliCommands() (cli_table.cpp): write its
// runner (and, if it writes more than one format, an answer type deriving
// from CliAnswer and a writer per format) beside its kin, declare them in
// that file's header, and list them in the row.

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "app/arguments.h"
#include "gears/status.h"

namespace cog {

// What a runner hands the writer of the chosen format: each command derives
// its own answer, and its writers cast back to it (the row ties them).
struct CliAnswer {
  virtual ~CliAnswer() = default;
};

struct CliFormat {
  const char* name;  // the value of --format
  void (*write)(const CliAnswer& answer, std::ostream& out);
};

// One run of a command: its arguments and streams, and the writer of the
// format asked for (the row's first when --format is not given; null for a
// command that writes one thing only).
struct CliCall {
  const Arguments& args;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  const CliFormat* format;

  // Writes `answer` in the chosen format; returns 0, the exit code of a
  // command that answered.
  int Write(const CliAnswer& answer) const;
  // Reports a refusal (its reason, one line, after "cogwright-cli: ") and
  // returns 2, the exit code of bad usage or input.
  int Refuse(const Status& refusal) const;
};

// The runner of a command that answers in formats: `ask` reads the call's
// arguments into a fresh Output (deriving from CliAnswer) and works out the
// answer; it is written in the chosen format, or the refusal reported.
template <class Output>
int Answer(const CliCall& call, Status (*ask)(const Arguments& args, Output* output)) {
  Output output;
  const Status status = ask(call.args, &output);
  return status.ok() ? call.Write(output) : call.Refuse(status);
}

// For a writer: the answer its row's runner made.
template <class Output>
const Output& AnswerAs(const CliAnswer& answer) {
  return static_cast<const Output&>(answer);
}

// The help sections, in the order --help prints them.
enum class CliSection { kLathe, kDividingHead, kGear, kRatioTable };

struct CliCommand {
  CommandForm form;
  // An option that selects this row over the later rows of the same name
  // (divide --chart writes other formats than divide); null for none.
  const char* mode;
  const char* usage;  // after "cogwright-cli ", for the usage line
  CliSection section;
  std::vector<CliFormat> formats;  // the first is the default; empty: no --format
  int (*run)(const CliCall& call);
};

// Every command, in the order of the usage lines.
std::span<const CliCommand> CliCommands();

// The row that runs `args`: the first of its command's name whose mode, if
// any, is given. Null for an unknown command.
const CliCommand* FindCliCommand(const Arguments& args);

// The forms to read a command line against, one per command name.
std::vector<CommandForm> CliForms();

// The name a row answers to in messages: "divide", or "divide --chart".
std::string CliCommandName(const CliCommand& command);

// The usage printed after an unknown command, one line per row.
std::string CliUsage();

// The --help text after its title: every section, in order.
std::string CliHelp();

}  // namespace cog
