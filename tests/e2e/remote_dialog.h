#pragma once
// Operating the program's dialog from outside its process, as a user would:
// texts through WM_GETTEXT/WM_SETTEXT, clicks through BM_CLICK, keys posted to
// the focused control, focus read with GetGUIThreadInfo.

#include <windows.h>

#include <string>

namespace cog::e2e {

// Text of another process's control (edit controls keep theirs privately, so
// GetWindowText would not do). "" when the control does not answer.
std::string ControlText(HWND control);

class RemoteDialog {
 public:
  explicit RemoteDialog(HWND dialog);

  HWND hwnd() const { return dialog_; }
  DWORD thread_id() const { return thread_id_; }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  bool Alive() const { return IsWindow(dialog_) && IsWindowVisible(dialog_); }

  std::string Text(int id) const { return ControlText(Item(id)); }
  bool SetText(int id, const std::string& text);
  int CheckState(int id) const;

  // Clicks a button and returns once the program has handled the click, walks
  // through the whole table included. False when the program did not answer.
  bool Click(int id);
  // Posts the click and returns at once: for buttons that open a message box.
  void PostClick(int id);

  // Returns once every message posted to the program before the call has been
  // handled: it posts a check-box change and waits to see it, then restores it.
  bool Barrier();

  // The program thread's focus and active window (0 when it has none).
  HWND Focus() const;
  HWND ActiveWindow() const;
  // Moves the focus to control `id` as the dialog manager does, and waits for it.
  bool FocusItem(int id);
  // Presses and releases a key on the focused control.
  void PressKey(int virtual_key);

 private:
  HWND dialog_;
  DWORD thread_id_;
};

}  // namespace cog::e2e
