#pragma once
// The DialogPort of a real Win32 dialog: every item is reached with
// GetDlgItem, so an item that was never created reads as empty and ignores
// writes.

#include <windows.h>

#include "ui/control_colors.h"
#include "ui/dialog_port.h"

namespace cog {

class Win32Port : public DialogPort {
 public:
  // `colors` is the dialog's own record and must outlive this port.
  Win32Port(HWND dialog, ControlColors& colors) : dialog_(dialog), colors_(colors) {}

  std::string ItemText(int id) override;
  void SetItemText(int id, const std::string& text) override;
  int CheckState(int id) override;
  void SetControlColors(int id, std::int32_t text, std::int32_t background) override;
  // No owner, MB_OK | MB_TASKMODAL | MB_SETFOREGROUND.
  void ShowMessage(const std::string& text, const std::string& caption) override;

 private:
  HWND dialog_;
  ControlColors& colors_;
};

}  // namespace cog
