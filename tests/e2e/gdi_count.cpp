#include "tests/e2e/gdi_count.h"

#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

constexpr UINT kCountTimeoutMs = 10000;

}  // namespace

GdiCounter::GdiCounter(DWORD pid, HWND dialog, const std::string& hook_dll)
    : dialog_(dialog), process_(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {
  if (process_ && GetGuiResources(process_.get(), GR_GDIOBJECTS) != 0) {
    usable_ = true;
    return;
  }
  use_hook_ = true;
  usable_ = InstallHook(hook_dll);
}

std::string GdiCounter::method() const {
  return use_hook_ ? "live handles in the program's GDI table (GetGuiResources returns 0 here)"
                   : "GetGuiResources(GR_GDIOBJECTS)";
}

bool GdiCounter::InstallHook(const std::string& hook_dll) {
  section_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    sizeof(GdiReport), kGdiSectionName));
  if (section_) view_.Reset(MapViewOfFile(section_.get(), FILE_MAP_WRITE, 0, 0, sizeof(GdiReport)));
  if (!view_) {
    problem_ = "no shared section, error " + Dec(GetLastError());
    return false;
  }
  module_.Reset(LoadLibraryA(hook_dll.c_str()));
  // Through void(*)(): GetProcAddress's FARPROC says nothing about the real signature.
  const auto address = module_ ? GetProcAddress(module_.get(), kGdiHookProcName) : nullptr;
  const auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(address));
  if (!procedure) {
    problem_ = "cannot load " + hook_dll + " or find " + kGdiHookProcName;
    return false;
  }
  const DWORD thread = GetWindowThreadProcessId(dialog_, nullptr);
  hook_.Reset(SetWindowsHookExA(WH_CALLWNDPROC, procedure, module_.get(), thread));
  if (!hook_) problem_ = "SetWindowsHookExA failed, error " + Dec(GetLastError());
  return static_cast<bool>(hook_);
}

long GdiCounter::Count() {
  if (!usable_) return -1;
  if (!use_hook_) return static_cast<long>(GetGuiResources(process_.get(), GR_GDIOBJECTS));
  auto* report = static_cast<volatile GdiReport*>(view_.get());
  const LONG before = report->sequence;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog_, RegisterWindowMessageA(kGdiCountMessageName), 0, 0, SMTO_NORMAL,
                      kCountTimeoutMs, &ignored);
  return report->sequence != before ? static_cast<long>(report->objects) : -1;
}

}  // namespace cog::e2e
