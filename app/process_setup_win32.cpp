#include <fcntl.h>
#include <float.h>
#include <io.h>

#include <cstdio>

#include "app/process_setup.h"

namespace cog {

void PrepareProcess() {
  unsigned int control_word = 0;
  _controlfp_s(&control_word, _PC_64, _MCW_PC);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace cog
