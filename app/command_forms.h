#pragma once
// The forms of every cogwright-cli command, for reading its command line: kept
// beside the reader, in cog_app_arguments, so the CLI and the argument fuzzer
// read the same forms.

#include <vector>

#include "app/arguments.h"

namespace cog {

// find, table and session: the ratio table's commands.
std::vector<CommandForm> TableForms();

// thread, train, chart and suggest, each with the lathe's options and --format.
std::vector<CommandForm> WorkshopForms();

// divide and helix.
std::vector<CommandForm> DivideForms();

// gear.
std::vector<CommandForm> GearForms();

// All of them, in that order.
std::vector<CommandForm> CliForms();

}  // namespace cog
