#pragma once
// The program under test as a child process. The destructor ends a child that
// is still running, so a failed scenario never leaves one behind.

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/win_handles.h"

namespace cog::e2e {

class ChildProcess {
 public:
  // Starts `exe` with `tail` after its quoted full path as the command line
  // ("" gives a command line of the path alone). Check started() afterwards.
  ChildProcess(const std::string& exe, std::string_view tail);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  bool started() const { return static_cast<bool>(process_); }
  // GetLastError of a failed start, for the report.
  DWORD start_error() const { return start_error_; }
  DWORD pid() const { return pid_; }
  bool Running() const;
  // Waits up to `timeout_ms` for the exit; true and the exit code when it ended.
  bool WaitExit(DWORD timeout_ms, DWORD* exit_code);
  void Terminate();

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
  DWORD start_error_ = 0;
};

}  // namespace cog::e2e
