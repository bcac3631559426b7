#include "tests/e2e/remote_dialog.h"

#include <vector>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

// A walk over the whole table can take a while under Wine; a program that has
// not answered after this long is hung.
constexpr UINT kReplyTimeoutMs = 60000;
constexpr DWORD kSettleTimeoutMs = 5000;

bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR* result) {
  return SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, kReplyTimeoutMs,
                             result) != 0;
}

}  // namespace

std::string ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!control || !Send(control, WM_GETTEXTLENGTH, 0, 0, &length)) return "";
  std::vector<char> buffer(length + 2);
  DWORD_PTR copied = 0;
  if (!Send(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), &copied))
    return "";
  return std::string(buffer.data(), copied);
}

RemoteDialog::RemoteDialog(HWND dialog)
    : dialog_(dialog), thread_id_(GetWindowThreadProcessId(dialog, nullptr)) {}

bool RemoteDialog::SetText(int id, const std::string& text) {
  DWORD_PTR result = 0;
  return Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) &&
         result != 0;
}

int RemoteDialog::CheckState(int id) const {
  DWORD_PTR state = 0;
  Send(Item(id), BM_GETCHECK, 0, 0, &state);
  return static_cast<int>(state);
}

bool RemoteDialog::Click(int id) {
  DWORD_PTR result = 0;
  return Item(id) != nullptr && Send(Item(id), BM_CLICK, 0, 0, &result);
}

void RemoteDialog::PostClick(int id) { PostMessageA(Item(id), BM_CLICK, 0, 0); }

bool RemoteDialog::Barrier() {
  const int before = CheckState(IDC_EVEN_ONLY);
  const int marker = before == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  PostMessageA(Item(IDC_EVEN_ONLY), BM_SETCHECK, marker, 0);
  const bool seen =
      PollUntil([&] { return CheckState(IDC_EVEN_ONLY) == marker; }, kSettleTimeoutMs);
  DWORD_PTR ignored = 0;
  Send(Item(IDC_EVEN_ONLY), BM_SETCHECK, before, 0, &ignored);
  return seen;
}

HWND RemoteDialog::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread_id_, &info) ? info.hwndFocus : nullptr;
}

HWND RemoteDialog::ActiveWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread_id_, &info) ? info.hwndActive : nullptr;
}

bool RemoteDialog::FocusItem(int id) {
  HWND control = Item(id);
  PostMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  return PollUntil([&] { return Focus() == control; }, kSettleTimeoutMs);
}

void RemoteDialog::PressKey(int virtual_key) {
  HWND target = Focus();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtual_key, 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, virtual_key, scan | 1);
  PostMessageA(target, WM_KEYUP, virtual_key, scan | 1 | (1u << 30) | (1u << 31));
}

}  // namespace cog::e2e
