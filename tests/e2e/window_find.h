#pragma once
// Waiting for the program's windows. Every wait pumps the driver's own queue,
// so the driver's windows keep answering while it polls.

#include <windows.h>

#include <functional>
#include <string>

namespace cog::e2e {

// Handles whatever is waiting in the driver thread's queue.
void PumpMessages();

// Polls `condition` every 10 ms until it holds or `timeout_ms` have passed;
// returns its last value.
bool PollUntil(const std::function<bool()>& condition, DWORD timeout_ms);

// Visible dialog-class ("#32770") top-level windows with this exact title that
// belong to process `pid` and pass `accept` (null: any).
HWND FindDialogWindow(DWORD pid, const std::string& title,
                      const std::function<bool(HWND)>& accept = nullptr);

// The same, polled until found or `timeout_ms` have passed; 0 if never found.
HWND WaitForDialogWindow(DWORD pid, const std::string& title, DWORD timeout_ms,
                         const std::function<bool(HWND)>& accept = nullptr);

// Window text of a top-level window.
std::string WindowTitle(HWND window);

}  // namespace cog::e2e
