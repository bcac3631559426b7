#pragma once
// One of the dialog's own fonts. Its height depends on the screen's
// resolution, so the HFONT is made only when the first control receives it.

#include <windows.h>

#include "ui/dialog_layout.h"
#include "ui/win32/scoped_handles.h"

namespace cog {

class BoldFont {
 public:
  // Prepares the LOGFONTA (face and weight; no italic, underline or
  // strike-out, character set 0) without making the font yet.
  explicit BoldFont(const FontSpec& font);

  // Sends WM_SETFONT (redraw) to `control`. The first time, makes the HFONT
  // with a height from LOGPIXELSY of this control's device context. A null
  // control (one that failed to be created) is skipped.
  void ApplyTo(HWND control);

  // Deletes the HFONT now. REQUIRES: no window still uses it.
  void Delete() { font_.Reset(); }

  HFONT handle() const { return font_.get(); }

 private:
  int points_;
  LOGFONTA logfont_;
  ScopedFont font_;
};

}  // namespace cog
