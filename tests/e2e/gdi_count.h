#pragma once
// The GDI object count of the program's process, for leak checks over a long
// run. GetGuiResources(GR_GDIOBJECTS) where it works; under Wine, where it
// always returns 0, a count taken inside the program by cogwright-gdi-hook.dll
// (see gdi_hook_protocol.h), which stays hooked for the counter's lifetime so
// that the counts are taken the same way each time.

#include <windows.h>

#include <string>

#include "tests/e2e/gdi_hook_protocol.h"
#include "tests/e2e/win_handles.h"

namespace cog::e2e {

class GdiCounter {
 public:
  GdiCounter(DWORD pid, HWND dialog, const std::string& hook_dll);

  // False when neither way works; problem() then says why.
  bool usable() const { return usable_; }
  const std::string& problem() const { return problem_; }
  // How the counts are taken, for the report.
  std::string method() const;
  // The current count, or -1 when it could not be read.
  long Count();

 private:
  bool InstallHook(const std::string& hook_dll);

  HWND dialog_;
  UniqueHandle process_;
  bool use_hook_ = false;
  bool usable_ = false;
  std::string problem_;
  UniqueHandle section_;
  MappedView view_;
  LoadedModule module_;
  InstalledHook hook_;  // after module_: unhooked before the DLL is unloaded
};

}  // namespace cog::e2e
