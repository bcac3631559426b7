#include <iostream>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/process_setup.h"

int main(int argc, char** argv) {
  cog::PrepareProcess();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = cog::RunCli(args, std::cin, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
