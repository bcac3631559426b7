// What the dialog must not do (close or search on Enter, Esc or a bare
// WM_CLOSE), the focus across a switch to another window, and the close box.

#include <windows.h>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/match_view.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/win_handles.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

struct IgnoredInput {
  const char* label;
  int virtual_key;  // 0: post a bare WM_CLOSE to the dialog instead
};

constexpr IgnoredInput kIgnoredInputs[] = {
    {"Enter in the target box", VK_RETURN},
    {"Esc in the target box", VK_ESCAPE},
    {"bare WM_CLOSE", 0},
};

// A top-level window of the driver's own, away from the dialog so that it
// never covers a pixel the checks read.
OwnWindow CreateOtherWindow() {
  static const char kClass[] = "CogwrightE2EOtherWindow";
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kClass;
  RegisterClassA(&window_class);
  return OwnWindow(CreateWindowExA(0, kClass, "Another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   720, 20, 260, 120, nullptr, nullptr, GetModuleHandleA(nullptr),
                                   nullptr));
}

void CheckIgnoredInputs(CheckLog& log, RemoteDialog& dialog, const ChildProcess& process) {
  // A result on screen, and a target text that would give another one.
  dialog.SetText(IDC_TARGET_RATIO, "0.5");
  dialog.Click(IDC_FIND);
  const ResultTexts shown = ReadResultTexts(dialog);
  log.Equal("result of Find 0.5 before the keys", "0.5", shown[0]);
  dialog.SetText(IDC_TARGET_RATIO, "100");
  for (const IgnoredInput& input : kIgnoredInputs) {
    const std::string label = input.label;
    if (input.virtual_key) {
      if (!log.True(label + ": focus in the target box", dialog.FocusItem(IDC_TARGET_RATIO)))
        continue;
      dialog.PressKey(input.virtual_key);
    } else {
      PostMessageA(dialog.hwnd(), WM_CLOSE, 0, 0);
    }
    log.True(label + ": handled", dialog.Barrier());
    log.True(label + ": dialog still shown", dialog.Alive() && process.Running());
    CheckResultTexts(log, label + " changes nothing", shown, ReadResultTexts(dialog));
    log.Equal(label + ": target text", "100", dialog.Text(IDC_TARGET_RATIO));
  }
}

void CheckFocusRoundTrip(CheckLog& log, RemoteDialog& dialog) {
  if (!log.True("focus in the target box before the switch", dialog.FocusItem(IDC_TARGET_RATIO)))
    return;
  OwnWindow other = CreateOtherWindow();
  SetForegroundWindow(other.get());
  log.True("the other window becomes active", PollUntil(
                                                  [&] {
                                                    return GetForegroundWindow() == other.get() &&
                                                           dialog.ActiveWindow() != dialog.hwnd();
                                                  },
                                                  kWindowTimeoutMs));
  SetForegroundWindow(dialog.hwnd());
  const HWND target = dialog.Item(IDC_TARGET_RATIO);
  PollUntil([&] { return dialog.ActiveWindow() == dialog.hwnd() && dialog.Focus() == target; },
            kWindowTimeoutMs);
  log.Equal("focused control after switching back", IDC_TARGET_RATIO, GetDlgCtrlID(dialog.Focus()));
}

}  // namespace

void CheckKeysFocusAndClose(const DriverPaths& paths, CheckLog& log) {
  ProgramRun run(paths, "", log);
  HWND window = run.WaitForMainDialog();
  if (!window) return;
  RemoteDialog dialog(window);
  CheckIgnoredInputs(log, dialog, run.process());
  CheckFocusRoundTrip(log, dialog);
  run.CloseAndCheckExit();
}

}  // namespace cog::e2e
