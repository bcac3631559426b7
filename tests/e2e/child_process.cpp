#include "tests/e2e/child_process.h"

#include <vector>

namespace cog::e2e {
namespace {

// Exit code given to a child that the driver has to end itself.
constexpr UINT kTerminatedByDriver = 0xDEAD;

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) return path;
  return std::string(buffer, length);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& exe, std::string_view tail) {
  const std::string path = FullPath(exe);
  std::string command = "\"" + path + "\"";
  if (!tail.empty()) command += " " + std::string(tail);
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    start_error_ = GetLastError();
    return;
  }
  UniqueHandle thread(info.hThread);  // not needed: the process handle is enough
  process_.Reset(info.hProcess);
  pid_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (Running()) Terminate();
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitExit(DWORD timeout_ms, DWORD* exit_code) {
  if (!process_ || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(process_.get(), exit_code) != 0;
}

void ChildProcess::Terminate() {
  if (!process_) return;
  TerminateProcess(process_.get(), kTerminatedByDriver);
  WaitForSingleObject(process_.get(), 5000);
}

}  // namespace cog::e2e
