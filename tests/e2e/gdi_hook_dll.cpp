// Loaded into the program's process by a WH_CALLWNDPROC hook; see
// gdi_hook_protocol.h for what it reports and why.

#include <windows.h>

#include "tests/e2e/gdi_hook_protocol.h"
#include "tests/e2e/win_handles.h"

namespace {

using cog::e2e::GdiReport;
using cog::e2e::MappedView;
using cog::e2e::UniqueHandle;

UINT CountMessage() {
  static const UINT message = RegisterWindowMessageA(cog::e2e::kGdiCountMessageName);
  return message;
}

// Wine accepts a handle whose upper word is 0 for any generation of the object
// at that index, so asking every index finds every live object exactly once.
LONG LiveGdiObjects() {
  LONG count = 0;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

void Report() {
  UniqueHandle section(OpenFileMappingA(FILE_MAP_WRITE, FALSE, cog::e2e::kGdiSectionName));
  if (!section) return;
  MappedView view(MapViewOfFile(section.get(), FILE_MAP_WRITE, 0, 0, sizeof(GdiReport)));
  if (!view) return;
  auto& report = *static_cast<GdiReport*>(view.get());
  report.objects = LiveGdiObjects();
  InterlockedIncrement(&report.sequence);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    CogwrightGdiCallWndProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lparam)->message == CountMessage())
    Report();
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
