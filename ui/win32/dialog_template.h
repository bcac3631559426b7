#pragma once
// The in-memory template the main dialog is created from: no dialog resource
// is needed, and the dialog starts hidden with no controls in it.

#include <windows.h>

#include <vector>

#include "ui/dialog_layout.h"

namespace cog {

// A DLGTEMPLATEEX for `dialog`: version 1, signature 0xFFFF, help ID 0, the
// style without WS_VISIBLE, 0 items, no menu, the standard class, a title of
// one blank and the dialog font. The vector's storage is WORD-aligned and,
// coming from the heap, DWORD-aligned as CreateDialogIndirectParamA needs.
// REQUIRES: the face name is ASCII.
std::vector<WORD> HiddenDialogTemplate(const DialogSpec& dialog);

}  // namespace cog
