// Loaded into the program's process by the WH_CALLWNDPROC hook; see
// hook_protocol.h for what it reports and why.

#include <windows.h>

#include "tests/e2e/hook_protocol.h"
#include "tests/e2e/win_handles.h"

namespace {

using cog::e2e::FontRecord;
using cog::e2e::FontReport;
using cog::e2e::MappedView;
using cog::e2e::UniqueHandle;
using cog::e2e::WindowDc;

UINT ProbeMessage() {
  static const UINT message = RegisterWindowMessageA(cog::e2e::kProbeMessageName);
  return message;
}

FontRecord Describe(HWND window, LONG id) {
  FontRecord record{};
  record.id = id;
  const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  record.font = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(font));
  if (font) record.has_logfont = GetObjectA(font, sizeof record.logfont, &record.logfont) != 0;
  return record;
}

LONG LogPixelsY(HWND window) {
  WindowDc dc(window);
  return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

void Report(HWND dialog) {
  UniqueHandle section(OpenFileMappingA(FILE_MAP_WRITE, FALSE, cog::e2e::kReportSectionName));
  if (!section) return;
  MappedView view(MapViewOfFile(section.get(), FILE_MAP_WRITE, 0, 0, sizeof(FontReport)));
  if (!view) return;
  auto& report = *static_cast<FontReport*>(view.get());
  report.dialog = Describe(dialog, 0);
  report.control_count = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD);
       child && report.control_count < cog::e2e::kMaxReportedControls;
       child = GetWindow(child, GW_HWNDNEXT)) {
    report.controls[report.control_count++] = Describe(child, GetDlgCtrlID(child));
  }
  report.logpixels_y = LogPixelsY(GetWindow(dialog, GW_CHILD));
  InterlockedIncrement(&report.sequence);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    CogwrightCallWndProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (call->message == ProbeMessage()) Report(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
