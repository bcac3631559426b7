#pragma once
// Reads the fonts of the program's dialog and controls through the hook DLL.

#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/hook_protocol.h"

namespace cog::e2e {

// Installs the hook on the dialog's thread, asks for a report and removes the
// hook again. Empty when the hook could not be installed or did not answer;
// `problem` then says why.
std::optional<FontReport> ProbeFonts(HWND dialog, const std::string& hook_dll,
                                     std::string* problem);

// The record of control `id`, or null.
const FontRecord* FindFontRecord(const FontReport& report, int id);

}  // namespace cog::e2e
