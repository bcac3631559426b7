#pragma once
// A dialog built inside the driver exactly as the program is meant to build its
// own (same template, same CreateWindowExA arguments). Wine adds style bits of
// its own and picks the dialog font's charset and quality itself; reading them
// back from this twin gives the values the program's windows must show.

#include <windows.h>

#include <vector>

namespace cog::e2e {

struct ReferenceWindow {
  DWORD style;
  DWORD ex_style;
};

struct ReferenceDialog {
  bool built = false;
  ReferenceWindow dialog{};
  std::vector<ReferenceWindow> controls;  // in the order of MainDialogControls()
  RECT base_units{};                      // MapDialogRect of {0, 0, 4, 8}
  LOGFONTA dialog_font{};
};

ReferenceDialog BuildReferenceDialog();

}  // namespace cog::e2e
