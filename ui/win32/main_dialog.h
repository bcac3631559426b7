#pragma once
// The program's one window: built hidden from an in-memory template, filled
// with its controls and fonts, initialised through a callback, then shown and
// run by a polling message loop until it is closed from its title bar.

#include <windows.h>

#include "ui/dialog_port.h"

namespace cog {

// What the program does with the dialog's messages.
class DialogCallback {
 public:
  virtual ~DialogCallback() = default;

  // One message of the dialog, with the dialog seen through `port`. Returning
  // 0 lets the dialog's own handling go on; anything else is the answer given
  // to the system. Receives WM_INITDIALOG (wParam the dialog, lParam 0) and
  // WM_SIZE while the dialog is still hidden, then every message but
  // WM_ACTIVATE until the dialog is destroyed.
  virtual INT_PTR OnMessage(DialogPort& port, HWND dialog, UINT message, WPARAM wparam,
                            LPARAM lparam) = 0;
};

// Builds and runs the main dialog as a child of `parent` (nullptr: a
// top-level window without owner) and returns once it is gone, after deleting
// its two bold fonts. The result is 0 after a close from the title bar, the
// only way it ends. Enter, Esc and a bare WM_CLOSE do not end it.
int CreateMainDialog(HINSTANCE instance, HWND parent, DialogCallback& callback);

}  // namespace cog
