#include "ui/win32/main_dialog_proc.h"

#include "ui/dialog_actions.h"

namespace cog {

INT_PTR MainDialogProc::OnMessage(DialogPort& port, HWND, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Startup(port);
      break;
    case WM_NCACTIVATE:
      KeepFocus(wparam != 0);
      break;
    case WM_COMMAND:
      DispatchCommand(port, state_, LOWORD(wparam), HIWORD(wparam));
      break;
    default:
      break;
  }
  return 0;
}

void MainDialogProc::Startup(DialogPort& port) {
  const RunError error = StartupInit(port, state_, command_tail_);
  if (error == RunError::kNone) return;
  // Without its table the program has nothing to show: say why and stop
  // before the dialog ever appears.
  MessageBoxA(nullptr, TableFailureText(error, state_.Limits).c_str(), "Cogwright",
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(kTableFailureExitCode);
}

// The frame turns inactive before the focus leaves for the other window, so
// that is the moment to note where it was.
void MainDialogProc::KeepFocus(bool frame_active) {
  if (!frame_active) {
    SavedFocus = GetFocus();
    return;
  }
  if (SavedFocus == nullptr) return;
  SetFocus(SavedFocus);
  SavedFocus = nullptr;
}

}  // namespace cog
