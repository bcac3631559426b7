#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/process_setup.h"

int main(int argc, char** argv) {
  cog::PrepareProcess();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  int code = 0;
  try {
    code = cog::RunCli(args, std::cin, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    // The workshop's containers are the only thing that can throw this; the
    // ratio table reports its own failure to get memory as error 7.
    std::cerr << "cogwright-cli: not enough memory for this request (error 7, Out of memory)\n";
    return 3;
  }
  // Output that did not reach its file (a full disk, a closed pipe) is not
  // success, whatever the command did.
  if (!std::cout.flush()) {
    std::cerr << "cogwright-cli: the output could not be written (disk full or pipe closed)\n";
    return code != 0 ? code : 4;
  }
  return code;
}
