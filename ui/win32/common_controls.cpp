#include "ui/win32/common_controls.h"

#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "ui/win32/scoped_handles.h"

namespace cog {
namespace {

using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitCommonControlsProc = void(WINAPI*)();

static_assert(sizeof(INITCOMMONCONTROLSEX) == 8);

// GetProcAddress returns a generic pointer; going through void(*)() keeps
// GCC from flagging the cast to the real signature.
template <class Proc>
Proc LookUp(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

void InitCommonControlsAtRunTime() {
  const ScopedLibrary library("COMCTL32.DLL");
  if (library.get() == nullptr) return;
  if (const auto init_ex =
          LookUp<InitCommonControlsExProc>(library.get(), "InitCommonControlsEx")) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES;  // 0x9FF
    init_ex(&controls);
  } else if (const auto init =
                 LookUp<InitCommonControlsProc>(library.get(), "InitCommonControls")) {
    init();
  }
}

}  // namespace cog
