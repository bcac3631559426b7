#include "ui/win32/dialog_controls.h"

namespace cog {
namespace {

HWND CreateControl(HWND dialog, HINSTANCE instance, const ControlSpec& control) {
  RECT rect = {control.x, control.y, control.x + control.width, control.y + control.height};
  MapDialogRect(dialog, &rect);
  return CreateWindowExA(control.ex_style, control.class_name, control.text, control.style,
                         rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                         dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                         instance, nullptr);
}

void ApplyToRole(HWND dialog, std::span<const ControlSpec> controls, FontRole role,
                 BoldFont& font) {
  for (const ControlSpec& control : controls) {
    if (control.font == role) font.ApplyTo(GetDlgItem(dialog, control.id));
  }
}

}  // namespace

void CreateControls(HWND dialog, HINSTANCE instance, std::span<const ControlSpec> controls) {
  const WPARAM dialog_font = static_cast<WPARAM>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  for (const ControlSpec& control : controls) {
    const HWND window = CreateControl(dialog, instance, control);
    if (window != nullptr) SendMessageA(window, WM_SETFONT, dialog_font, TRUE);
  }
}

void ApplyBoldFonts(HWND dialog, std::span<const ControlSpec> controls, BoldFont& gear_font,
                    BoldFont& times_font) {
  ApplyToRole(dialog, controls, FontRole::kGear, gear_font);
  ApplyToRole(dialog, controls, FontRole::kTimes, times_font);
}

}  // namespace cog
