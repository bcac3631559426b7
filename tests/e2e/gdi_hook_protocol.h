#pragma once
// How the driver learns the program's GDI object count when GetGuiResources
// cannot tell it: Wine's GetGuiResources is unimplemented and returns 0.
//
// The driver creates the shared section, installs the WH_CALLWNDPROC hook of
// cogwright-gdi-hook.dll on the program's GUI thread and sends the dialog
// kGdiCountMessageName. The hook then walks the process's GDI handle table
// (every 16-bit handle index, asked through GetObjectType) and writes how many
// live objects it found, then bumps `sequence`. Stock objects are counted too;
// they never change, so only differences between counts matter.

#include <windows.h>

namespace cog::e2e {

inline constexpr const char* kGdiCountMessageName = "CogwrightE2EGdiCount";
inline constexpr const char* kGdiSectionName = "CogwrightE2EGdiReport";
inline constexpr const char* kGdiHookProcName = "CogwrightGdiCallWndProc";

struct GdiReport {
  LONG sequence;
  LONG objects;
};

}  // namespace cog::e2e
