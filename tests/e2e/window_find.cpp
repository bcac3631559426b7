#include "tests/e2e/window_find.h"

namespace cog::e2e {

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool PollUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (GetTickCount() - start >= timeout_ms) return condition();
    Sleep(10);
  }
}

HWND FindDialogWindow(DWORD pid, const std::string& title,
                      const std::function<bool(HWND)>& accept) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "#32770", title.c_str())) != nullptr) {
    DWORD owner_pid = 0;
    GetWindowThreadProcessId(window, &owner_pid);
    if (owner_pid == pid && IsWindowVisible(window) && (!accept || accept(window))) return window;
  }
  return nullptr;
}

HWND WaitForDialogWindow(DWORD pid, const std::string& title, DWORD timeout_ms,
                         const std::function<bool(HWND)>& accept) {
  HWND found = nullptr;
  PollUntil([&] { return (found = FindDialogWindow(pid, title, accept)) != nullptr; }, timeout_ms);
  return found;
}

std::string WindowTitle(HWND window) {
  char buffer[512];
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

}  // namespace cog::e2e
