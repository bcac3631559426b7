#include <fcntl.h>
#include <float.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/process_setup.h"

namespace cog {
namespace {

UINT console_page = 0;  // the console's own code page, given back at exit

void RestoreConsolePage() { SetConsoleOutputCP(console_page); }

}  // namespace

void PrepareProcess() {
  unsigned int control_word = 0;
  _controlfp_s(&control_word, _PC_64, _MCW_PC);
  _setmode(_fileno(stdout), _O_BINARY);
  // The output is UTF-8 (µm, names in any script): a console shows it as such
  // while the tool runs. Pipes and files get the same bytes either way.
  console_page = GetConsoleOutputCP();
  if (console_page != 0 && console_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
    std::atexit(RestoreConsolePage);
}

}  // namespace cog
