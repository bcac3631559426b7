#pragma once
// Filling the empty dialog with its controls and giving them their fonts.

#include <windows.h>

#include <span>

#include "ui/dialog_layout.h"
#include "ui/win32/bold_font.h"

namespace cog {

// Creates `controls` in order as children of `dialog`, each rectangle turned
// into pixels with MapDialogRect and each control given the dialog's font. A
// control that cannot be created is left out; the others still come.
void CreateControls(HWND dialog, HINSTANCE instance, std::span<const ControlSpec> controls);

// Gives the gear font to every control of that role, then the times font to
// every control of its role, in creation order within each.
void ApplyBoldFonts(HWND dialog, std::span<const ControlSpec> controls, BoldFont& gear_font,
                    BoldFont& times_font);

}  // namespace cog
