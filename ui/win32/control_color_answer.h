#pragma once
// How the dialog answers the control-colour messages (WM_CTLCOLORMSGBOX to
// WM_CTLCOLORSTATIC) from the colours recorded per control.

#include <windows.h>

#include "ui/control_colors.h"

namespace cog {

inline bool IsControlColorMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// For a control with recorded colours: sets the text and background colours
// of `dc` (the system's window-text and button-face colours standing in for
// -1) and returns the brush to paint the background with. For any other
// control returns FALSE, which leaves the colouring to the system.
INT_PTR AnswerControlColor(const ControlColors& colors, HDC dc, HWND control);

}  // namespace cog
