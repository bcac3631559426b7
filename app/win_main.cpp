// The Win32 program: common controls, then the main dialog until it is closed.

#include <windows.h>

#include <cfloat>

#include "numtext/command_line.h"
#include "ui/app_state.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/main_dialog_proc.h"

static_assert(LDBL_MANT_DIG == 64, "the ratio engine needs the 80-bit extended type");

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The x87 unit may start at double precision; every long double of the
  // engine must carry its full 64-bit significand.
  unsigned int control_word = 0;
  _controlfp_s(&control_word, _PC_64, _MCW_PC);

  cog::InitCommonControlsAtRunTime();
  cog::AppState state;
  cog::MainDialogProc callback(state, cog::CommandTail(GetCommandLineA()));
  cog::CreateMainDialog(instance, nullptr, callback);
  return 0;
}
