#pragma once
// The ratio table's commands of cogwright-cli: find, table and session, which
// answer as the dialog's Find, Higher and Lower do, over the table the
// program builds at start-up (--teeth A B as its two command-line numbers).

#include "app/cli_table.h"

namespace cog {

// Each returns the exit code: 0 done, 2 a command line of the wrong shape or
// (session) an unknown action or an overlong line, 3 the table cannot be
// built.
int RunFind(const CliCall& call);
int RunTable(const CliCall& call);
int RunSession(const CliCall& call);

// The --help section of these commands, with the exit codes of every command.
extern const char* const kRatioTableHelp;

}  // namespace cog
