#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/process_setup.h"

namespace {

constexpr const char* kOutOfMemory =
    "cogwright-cli: not enough memory for this request (error 7, Out of memory)\n";

// Memory so short that even a std::bad_alloc cannot be made (it is thrown
// from the heap too) ends in std::terminate, exit 134. Ended here instead,
// with the message and exit 3, before any tables are built: stderr is
// unbuffered, so the message needs no memory.
[[noreturn]] void OutOfMemory() {
  std::fputs(kOutOfMemory, stderr);
  std::_Exit(3);
}

// Before every other constructor of the program, which build tables on the
// heap before main could catch anything.
struct NewHandler {
  NewHandler() { std::set_new_handler(OutOfMemory); }
} const kNewHandler __attribute__((init_priority(101)));

}  // namespace

int main(int argc, char** argv) {
  cog::PrepareProcess();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = cog::RunCli(args, std::cin, std::cout, std::cerr);
  // Output that did not reach its file (a full disk, a closed pipe) is not
  // success, whatever the command did.
  if (!std::cout.flush()) {
    std::cerr << "cogwright-cli: the output could not be written (disk full or pipe closed)\n";
    return code != 0 ? code : 4;
  }
  return code;
}
