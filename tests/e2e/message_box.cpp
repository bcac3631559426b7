#include "tests/e2e/message_box.h"

#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

constexpr int kMessageTextId = 0xFFFF;

std::string ClassOf(HWND window) {
  char name[64];
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

bool SameText(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

struct BoxChildren {
  int visible_buttons = 0;
  int ok_buttons = 0;
  int icons_shown = 0;
};

BOOL CALLBACK CountChild(HWND child, LPARAM context) {
  auto& counts = *reinterpret_cast<BoxChildren*>(context);
  const std::string class_name = ClassOf(child);
  if (SameText(class_name, "Button") && IsWindowVisible(child)) {
    ++counts.visible_buttons;
    if (GetDlgCtrlID(child) == IDOK) ++counts.ok_buttons;
  }
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  if (SameText(class_name, "Static") && (style & SS_TYPEMASK) == SS_ICON) {
    DWORD_PTR icon = 0;
    SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &icon);
    if (icon != 0) ++counts.icons_shown;
  }
  return TRUE;
}

}  // namespace

HWND WaitForMessageBox(DWORD pid, const std::string& title, DWORD timeout_ms) {
  return WaitForDialogWindow(pid, title, timeout_ms,
                             [](HWND box) { return GetDlgItem(box, kMessageTextId) != nullptr; });
}

std::string MessageBoxText(HWND box) { return ControlText(GetDlgItem(box, kMessageTextId)); }

void CheckPlainOkBox(CheckLog& log, HWND box, IconRule icon) {
  log.True("message box has no owner", GetWindow(box, GW_OWNER) == nullptr);
  BoxChildren counts;
  EnumChildWindows(box, CountChild, reinterpret_cast<LPARAM>(&counts));
  log.Equal("visible buttons in the message box", 1, counts.visible_buttons);
  log.Equal("OK buttons in the message box", 1, counts.ok_buttons);
  if (icon == IconRule::kNone) log.Equal("icons shown in the message box", 0, counts.icons_shown);
}

bool CloseMessageBox(HWND box) {
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return PollUntil([&] { return !IsWindow(box); }, 5000);
}

}  // namespace cog::e2e
