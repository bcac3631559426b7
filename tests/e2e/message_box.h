#pragma once
// The program's message boxes, seen from outside: found by title, read through
// their static text (ID 0xFFFF), closed with their OK button.

#include <windows.h>

#include <string>

#include "tests/e2e/check_log.h"

namespace cog::e2e {

// A visible message box of process `pid` titled `title`; 0 after `timeout_ms`.
// The main dialog has the same class, but no 0xFFFF text, so it never matches.
HWND WaitForMessageBox(DWORD pid, const std::string& title, DWORD timeout_ms);

std::string MessageBoxText(HWND box);

enum class IconRule { kNone, kAny };

// Checks what the program's boxes share: no owner and one visible button, OK;
// with IconRule::kNone also that no icon is shown.
void CheckPlainOkBox(CheckLog& log, HWND box, IconRule icon = IconRule::kNone);

// Clicks OK and waits for the box to go; false if it stayed.
bool CloseMessageBox(HWND box);

}  // namespace cog::e2e
