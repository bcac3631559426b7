#include "ui/dialog_layout.h"

#include <array>

#include "ui/dialog_ids.h"

namespace cog {
namespace {

// Every control is a visible child without WS_GROUP: tab order alone moves
// the focus, and no push button is the default one.
constexpr std::uint32_t kLabel = 0x50000000;          // SS_LEFT
constexpr std::uint32_t kCentredLabel = 0x50000001;   // SS_CENTER
constexpr std::uint32_t kPushButton = 0x50010000;     // BS_PUSHBUTTON, WS_TABSTOP
constexpr std::uint32_t kCheckBox = 0x50010003;       // BS_AUTOCHECKBOX, WS_TABSTOP
constexpr std::uint32_t kGroupBox = 0x50000007;       // BS_GROUPBOX
constexpr std::uint32_t kEdit = 0x50010080;           // ES_AUTOHSCROLL, WS_TABSTOP
constexpr std::uint32_t kCentredOutput = 0x50010881;  // + ES_CENTER, ES_READONLY
constexpr std::uint32_t kLeftOutput = 0x50010880;     // + ES_READONLY
constexpr std::uint32_t kSunken = 0x200;              // WS_EX_CLIENTEDGE

constexpr const char* kStatic = "STATIC";
constexpr const char* kButton = "BUTTON";
constexpr const char* kEditClass = "EDIT";

constexpr FontRole kDialogFont = FontRole::kDialog;

constexpr std::array<ControlSpec, 21> kControls = {{
    {IDC_TARGET_LABEL, kStatic, "Target Ratio", kLabel, 0, 35, 25, 45, 15, kDialogFont},
    {IDC_ERROR_LABEL, kStatic, "Error", kCentredLabel, 0, 100, 175, 20, 15, kDialogFont},
    {IDC_ACTUAL_LABEL, kStatic, "Actual Ratio", kLabel, 0, 35, 60, 45, 15, kDialogFont},
    {IDC_FIND, kButton, "Find", kPushButton, 0, 155, 25, 25, 15, kDialogFont},
    {IDC_TARGET_RATIO, kEditClass, "0.12345", kEdit, kSunken, 85, 25, 60, 15, kDialogFont},
    {IDC_GEAR1, kEditClass, "", kCentredOutput, kSunken, 65, 130, 30, 15, FontRole::kGear},
    {IDC_GEAR2, kEditClass, "", kCentredOutput, kSunken, 65, 150, 30, 15, FontRole::kGear},
    {IDC_GEAR3, kEditClass, "", kCentredOutput, kSunken, 125, 130, 30, 15, FontRole::kGear},
    {IDC_GEAR4, kEditClass, "", kCentredOutput, kSunken, 125, 150, 30, 15, FontRole::kGear},
    {IDC_TIMES_LABEL, kStatic, "X", kLabel, 0, 105, 140, 15, 15, FontRole::kTimes},
    {IDC_ERROR, kEditClass, "", kCentredOutput, kSunken, 90, 190, 40, 15, kDialogFont},
    {IDC_ACTUAL_RATIO, kEditClass, "", kLeftOutput, kSunken, 85, 60, 60, 15, kDialogFont},
    {IDC_ABOUT, kButton, "About", kPushButton, 0, 185, 210, 25, 15, kDialogFont},
    {IDC_TEETH_FRAME, kButton, "Number of Teeth", kGroupBox, 0, 50, 115, 120, 100, kDialogFont},
    {IDC_MATCH_FRAME, kButton, "Target and Best Match", kGroupBox, 0, 15, 10, 185, 95, kDialogFont},
    {IDC_HIGHER, kButton, "Higher", kPushButton, 0, 155, 50, 25, 15, kDialogFont},
    {IDC_LOWER, kButton, "Lower", kPushButton, 0, 155, 70, 25, 15, kDialogFont},
    // At 10 x 10 units only the box shows; the caption users read is the
    // separate label to its left.
    {IDC_SINGLE_ONLY, kButton, "CheckBox1", kCheckBox, 0, 85, 90, 10, 10, kDialogFont},
    {IDC_SINGLE_LABEL, kStatic, "Single Ratios Only", kLabel, 0, 20, 90, 60, 10, kDialogFont},
    {IDC_EVEN_ONLY, kButton, "CheckBox2", kCheckBox, 0, 170, 90, 10, 10, kDialogFont},
    {IDC_EVEN_LABEL, kStatic, "Even teeth only", kLabel, 0, 115, 90, 50, 10, kDialogFont},
}};

constexpr DialogSpec kDialog = {
    .title = "Cogwright",
    .x = 180,
    .y = 112,
    .width = 218,
    .height = 236,
    // WS_POPUP, WS_VISIBLE, WS_CLIPSIBLINGS, WS_CAPTION, WS_SYSMENU,
    // WS_MINIMIZEBOX, DS_MODALFRAME, DS_SETFONT, DS_NOFAILCREATE, DS_3DLOOK:
    // no maximise box and no sizing border.
    .style = 0x94CA00D4,
    .ex_style = 0x10200,  // WS_EX_CONTROLPARENT, WS_EX_CLIENTEDGE
    .font = {"MS Sans Serif", 8, 400},
};

constexpr FontSpec kGearFont = {"MS Sans Serif", 10, 700};
constexpr FontSpec kTimesFont = {"MS Sans Serif", 14, 700};

}  // namespace

const DialogSpec& MainDialogSpec() { return kDialog; }

std::span<const ControlSpec> MainDialogControls() { return kControls; }

const FontSpec& GearFontSpec() { return kGearFont; }

const FontSpec& TimesFontSpec() { return kTimesFont; }

int FontPixelHeight(int points, int pixels_per_inch) {
  const long long product = static_cast<long long>(points) * pixels_per_inch;
  long long quotient = product / 72;
  const long long twice_remainder = 2 * (product % 72);
  if (twice_remainder > 72 || (twice_remainder == 72 && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(-quotient);
}

}  // namespace cog
