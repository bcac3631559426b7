#include "ui/win32/win32_port.h"

namespace cog {

std::string Win32Port::ItemText(int id) {
  const HWND item = GetDlgItem(dialog_, id);
  if (item == nullptr) return "";
  const int length = GetWindowTextLengthA(item);
  if (length <= 0) return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(item, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void Win32Port::SetItemText(int id, const std::string& text) {
  const HWND item = GetDlgItem(dialog_, id);
  if (item != nullptr) SetWindowTextA(item, text.c_str());
}

int Win32Port::CheckState(int id) {
  const HWND item = GetDlgItem(dialog_, id);
  if (item == nullptr) return 0;
  return SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Port::SetControlColors(int id, std::int32_t text, std::int32_t background) {
  const HWND item = GetDlgItem(dialog_, id);
  if (item != nullptr) colors_.Set(reinterpret_cast<ControlKey>(item), text, background);
}

void Win32Port::ShowMessage(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace cog
