#include "tests/e2e/dialog_table.h"

namespace cog::e2e {
namespace {

constexpr DWORD kLabel = 0x50000000;
constexpr DWORD kCentredLabel = 0x50000001;
constexpr DWORD kPushButton = 0x50010000;
constexpr DWORD kCheckBox = 0x50010003;
constexpr DWORD kGroupBox = 0x50000007;
constexpr DWORD kEdit = 0x50010080;
constexpr DWORD kReadOnlyCentred = 0x50010881;
constexpr DWORD kReadOnlyLeft = 0x50010880;
constexpr DWORD kSunken = 0x200;

constexpr ControlLayout kControls[] = {
    {"IDC_TARGET_LABEL", IDC_TARGET_LABEL, "STATIC", "Target Ratio", 35, 25, 45, 15, kLabel, 0,
     FontUse::kDialog},
    {"IDC_ERROR_LABEL", IDC_ERROR_LABEL, "STATIC", "Error", 100, 175, 20, 15, kCentredLabel, 0,
     FontUse::kDialog},
    {"IDC_ACTUAL_LABEL", IDC_ACTUAL_LABEL, "STATIC", "Actual Ratio", 35, 60, 45, 15, kLabel, 0,
     FontUse::kDialog},
    {"IDC_FIND", IDC_FIND, "BUTTON", "Find", 155, 25, 25, 15, kPushButton, 0, FontUse::kDialog},
    {"IDC_TARGET_RATIO", IDC_TARGET_RATIO, "EDIT", "0.12345", 85, 25, 60, 15, kEdit, kSunken,
     FontUse::kDialog},
    {"IDC_GEAR1", IDC_GEAR1, "EDIT", "", 65, 130, 30, 15, kReadOnlyCentred, kSunken,
     FontUse::kGear},
    {"IDC_GEAR2", IDC_GEAR2, "EDIT", "", 65, 150, 30, 15, kReadOnlyCentred, kSunken,
     FontUse::kGear},
    {"IDC_GEAR3", IDC_GEAR3, "EDIT", "", 125, 130, 30, 15, kReadOnlyCentred, kSunken,
     FontUse::kGear},
    {"IDC_GEAR4", IDC_GEAR4, "EDIT", "", 125, 150, 30, 15, kReadOnlyCentred, kSunken,
     FontUse::kGear},
    {"IDC_TIMES_LABEL", IDC_TIMES_LABEL, "STATIC", "X", 105, 140, 15, 15, kLabel, 0,
     FontUse::kTimes},
    {"IDC_ERROR", IDC_ERROR, "EDIT", "", 90, 190, 40, 15, kReadOnlyCentred, kSunken,
     FontUse::kDialog},
    {"IDC_ACTUAL_RATIO", IDC_ACTUAL_RATIO, "EDIT", "", 85, 60, 60, 15, kReadOnlyLeft, kSunken,
     FontUse::kDialog},
    {"IDC_ABOUT", IDC_ABOUT, "BUTTON", "About", 185, 210, 25, 15, kPushButton, 0, FontUse::kDialog},
    {"IDC_TEETH_FRAME", IDC_TEETH_FRAME, "BUTTON", "Number of Teeth", 50, 115, 120, 100, kGroupBox,
     0, FontUse::kDialog},
    {"IDC_MATCH_FRAME", IDC_MATCH_FRAME, "BUTTON", "Target and Best Match", 15, 10, 185, 95,
     kGroupBox, 0, FontUse::kDialog},
    {"IDC_HIGHER", IDC_HIGHER, "BUTTON", "Higher", 155, 50, 25, 15, kPushButton, 0,
     FontUse::kDialog},
    {"IDC_LOWER", IDC_LOWER, "BUTTON", "Lower", 155, 70, 25, 15, kPushButton, 0, FontUse::kDialog},
    {"IDC_SINGLE_ONLY", IDC_SINGLE_ONLY, "BUTTON", "CheckBox1", 85, 90, 10, 10, kCheckBox, 0,
     FontUse::kDialog},
    {"IDC_SINGLE_LABEL", IDC_SINGLE_LABEL, "STATIC", "Single Ratios Only", 20, 90, 60, 10, kLabel,
     0, FontUse::kDialog},
    {"IDC_EVEN_ONLY", IDC_EVEN_ONLY, "BUTTON", "CheckBox2", 170, 90, 10, 10, kCheckBox, 0,
     FontUse::kDialog},
    {"IDC_EVEN_LABEL", IDC_EVEN_LABEL, "STATIC", "Even teeth only", 115, 90, 50, 10, kLabel, 0,
     FontUse::kDialog},
};

}  // namespace

std::span<const ControlLayout> MainDialogControls() { return kControls; }

}  // namespace cog::e2e
