#pragma once
// What the main dialog must look like: the expected values the driver checks
// the running program against, kept apart from the program's own sources.

#include <windows.h>

#include <span>

namespace cog::e2e {

enum ControlId : int {
  IDC_TARGET_LABEL = 1001,
  IDC_ERROR_LABEL = 1002,
  IDC_ACTUAL_LABEL = 1003,
  IDC_FIND = 1007,
  IDC_TARGET_RATIO = 1009,
  IDC_GEAR1 = 1012,
  IDC_GEAR2 = 1013,
  IDC_GEAR3 = 1014,
  IDC_GEAR4 = 1015,
  IDC_TIMES_LABEL = 1016,
  IDC_ERROR = 1018,
  IDC_ACTUAL_RATIO = 1019,
  IDC_ABOUT = 1022,
  IDC_TEETH_FRAME = 1023,
  IDC_MATCH_FRAME = 1024,
  IDC_HIGHER = 1026,
  IDC_LOWER = 1027,
  IDC_SINGLE_ONLY = 1030,
  IDC_SINGLE_LABEL = 1031,
  IDC_EVEN_ONLY = 1032,
  IDC_EVEN_LABEL = 1033,
};

enum class FontUse { kDialog, kGear, kTimes };

// One child control, in dialog units, as it is created.
struct ControlLayout {
  const char* name;
  int id;
  const char* class_name;
  const char* text;
  int x, y, width, height;
  DWORD style;
  DWORD ex_style;
  FontUse font;
};

// The 21 controls in creation order.
std::span<const ControlLayout> MainDialogControls();

// The dialog itself.
inline constexpr const char* kDialogTitle = "Cogwright";
inline constexpr int kDialogX = 180;
inline constexpr int kDialogY = 112;
inline constexpr int kDialogWidth = 218;
inline constexpr int kDialogHeight = 236;
inline constexpr DWORD kDialogStyle = 0x94CA00D4;
inline constexpr DWORD kDialogExStyle = 0x10200;
inline constexpr const char* kDialogFontFace = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 8;

// The bold fonts.
inline constexpr int kGearFontPoints = 10;
inline constexpr int kTimesFontPoints = 14;
inline constexpr int kBoldWeight = 700;

// The result boxes a match writes, in the order the command-line tool prints them.
inline constexpr int kResultBoxes[] = {IDC_ACTUAL_RATIO, IDC_GEAR1, IDC_GEAR2,
                                       IDC_GEAR3,        IDC_GEAR4, IDC_ERROR};
inline constexpr int kGearBoxes[] = {IDC_GEAR1, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4};

// The tab stops in the order Tab visits them, starting from the first.
inline constexpr int kTabOrder[] = {IDC_FIND,     IDC_TARGET_RATIO, IDC_GEAR1, IDC_GEAR2,
                                    IDC_GEAR3,    IDC_GEAR4,        IDC_ERROR, IDC_ACTUAL_RATIO,
                                    IDC_ABOUT,    IDC_HIGHER,       IDC_LOWER, IDC_SINGLE_ONLY,
                                    IDC_EVEN_ONLY};

}  // namespace cog::e2e
