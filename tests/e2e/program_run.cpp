#include "tests/e2e/program_run.h"

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {

HWND FindMainDialog(DWORD pid) {
  return FindDialogWindow(pid, kDialogTitle, [](HWND dialog) {
    return GetDlgItem(dialog, IDC_TARGET_RATIO) != nullptr;
  });
}

ProgramRun::ProgramRun(const DriverPaths& paths, std::string_view tail, CheckLog& log)
    : log_(log), process_(paths.exe, tail) {
  if (!process_.started())
    log_.Fatal("start " + paths.exe, "CreateProcessA error " + Dec(process_.start_error()));
}

HWND ProgramRun::WaitForMainDialog() {
  if (!process_.started()) return nullptr;
  PollUntil([&] { return (dialog_ = FindMainDialog(pid())) != nullptr || !process_.Running(); },
            kStartTimeoutMs);
  if (!dialog_) {
    DWORD code = 0;
    const bool ended = process_.WaitExit(0, &code);
    log_.Fatal("main dialog appears",
               ended ? "process ended with code " + Dec(code) : std::string("no visible dialog"));
  }
  return dialog_;
}

void ProgramRun::CloseAndCheckExit() {
  if (!dialog_) return;
  PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 0;
  if (!process_.WaitExit(kWindowTimeoutMs, &code)) {
    log_.Fatal("process ends after the close command", "still running");
    return;
  }
  log_.Equal("exit code after the close command", 0, code);
}

}  // namespace cog::e2e
