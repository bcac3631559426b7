#include "tests/e2e/font_probe.h"

#include "tests/e2e/text_format.h"
#include "tests/e2e/win_handles.h"

namespace cog::e2e {

std::optional<FontReport> ProbeFonts(HWND dialog, const std::string& hook_dll,
                                     std::string* problem) {
  UniqueHandle section(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          sizeof(FontReport), kReportSectionName));
  if (!section) {
    *problem = "CreateFileMappingA failed, error " + Dec(GetLastError());
    return std::nullopt;
  }
  MappedView view(MapViewOfFile(section.get(), FILE_MAP_WRITE, 0, 0, sizeof(FontReport)));
  if (!view) {
    *problem = "MapViewOfFile failed, error " + Dec(GetLastError());
    return std::nullopt;
  }
  auto* shared = static_cast<FontReport*>(view.get());
  ZeroMemory(shared, sizeof *shared);

  LoadedModule module(LoadLibraryA(hook_dll.c_str()));
  // Through void(*)(): GetProcAddress's FARPROC says nothing about the real signature.
  const auto address = module ? GetProcAddress(module.get(), kHookProcName) : nullptr;
  const auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(address));
  if (!procedure) {
    *problem = "cannot load " + hook_dll + " or find " + kHookProcName;
    return std::nullopt;
  }
  const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  InstalledHook hook(SetWindowsHookExA(WH_CALLWNDPROC, procedure, module.get(), thread));
  if (!hook) {
    *problem = "SetWindowsHookExA failed, error " + Dec(GetLastError());
    return std::nullopt;
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog, RegisterWindowMessageA(kProbeMessageName), 0, 0, SMTO_NORMAL, 10000,
                      &ignored);
  if (shared->sequence == 0) {
    *problem = "the hook did not report";
    return std::nullopt;
  }
  return *shared;
}

const FontRecord* FindFontRecord(const FontReport& report, int id) {
  for (int i = 0; i < report.control_count && i < kMaxReportedControls; ++i) {
    if (report.controls[i].id == id) return &report.controls[i];
  }
  return nullptr;
}

}  // namespace cog::e2e
