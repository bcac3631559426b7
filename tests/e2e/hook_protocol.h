#pragma once
// What the hook DLL, running inside the program's GUI thread, reports back to
// the driver. Under Wine WM_GETFONT sent from another process returns 0, so the
// fonts can only be read from inside.
//
// The driver creates the shared section, installs the WH_CALLWNDPROC hook on
// the program's thread and sends the dialog kProbeMessageName. On seeing it the
// hook asks the dialog and each of its children for their font, and writes the
// fonts' LOGFONTA records and the thread's LOGPIXELSY into the section, then
// bumps `sequence`.

#include <windows.h>

namespace cog::e2e {

inline constexpr const char* kProbeMessageName = "CogwrightE2EFontProbe";
inline constexpr const char* kReportSectionName = "CogwrightE2EFontReport";
inline constexpr const char* kHookProcName = "CogwrightCallWndProc";
inline constexpr int kMaxReportedControls = 32;

struct FontRecord {
  LONG id;           // control ID; 0 for the dialog itself
  DWORD font;        // HFONT as the program sees it; 0 means the system font
  LONG has_logfont;  // GetObjectA succeeded
  LOGFONTA logfont;
};

struct FontReport {
  LONG sequence;
  LONG logpixels_y;  // of the first control's device context
  FontRecord dialog;
  LONG control_count;
  FontRecord controls[kMaxReportedControls];  // in Z-order (creation order)
};

}  // namespace cog::e2e
