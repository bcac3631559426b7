#pragma once
// The program's side of the main dialog: start-up, the buttons, and keeping
// the keyboard focus across a switch to another window.

#include <windows.h>

#include <string>
#include <utility>

#include "ui/app_state.h"
#include "ui/win32/main_dialog.h"

namespace cog {

// The process ends with this code when the ratio table cannot be created.
inline constexpr UINT kTableFailureExitCode = 3;

class MainDialogProc : public DialogCallback {
 public:
  // `state` must outlive the dialog. `command_tail` is the command line less
  // the program's name.
  MainDialogProc(AppState& state, std::string command_tail)
      : state_(state), command_tail_(std::move(command_tail)) {}

  // Always 0: the dialog's own handling follows every message.
  INT_PTR OnMessage(DialogPort& port, HWND dialog, UINT message, WPARAM wparam,
                    LPARAM lparam) override;

 private:
  void Startup(DialogPort& port);
  void KeepFocus(bool frame_active);

  AppState& state_;
  std::string command_tail_;
  HWND SavedFocus = nullptr;
};

}  // namespace cog
