#pragma once
// One run of cogwright.exe: started, its main dialog awaited, closed from the
// title bar at the end.

#include <windows.h>

#include <string_view>

#include "tests/e2e/check_log.h"
#include "tests/e2e/child_process.h"
#include "tests/e2e/driver_paths.h"

namespace cog::e2e {

// Generous: the table of the default limits is built before the dialog shows.
inline constexpr DWORD kStartTimeoutMs = 90000;
inline constexpr DWORD kWindowTimeoutMs = 10000;

// The visible main dialog of `pid`, or 0. Message boxes titled "Cogwright" do
// not count: the main dialog is the one with a target box.
HWND FindMainDialog(DWORD pid);

class ProgramRun {
 public:
  ProgramRun(const DriverPaths& paths, std::string_view tail, CheckLog& log);

  ChildProcess& process() { return process_; }
  DWORD pid() const { return process_.pid(); }

  // Waits for the main dialog; records a failure and returns 0 if it never shows.
  HWND WaitForMainDialog();
  // Sends the title bar's close command and checks that the process ends with 0.
  void CloseAndCheckExit();

 private:
  CheckLog& log_;
  ChildProcess process_;
  HWND dialog_ = nullptr;
};

}  // namespace cog::e2e
