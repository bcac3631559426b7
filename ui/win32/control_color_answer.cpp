#include "ui/win32/control_color_answer.h"

#include "ui/dialog_port.h"

namespace cog {

INT_PTR AnswerControlColor(const ControlColors& colors, HDC dc, HWND control) {
  const ControlColorRecord* record = colors.Find(reinterpret_cast<ControlKey>(control));
  if (record == nullptr) return FALSE;

  SetTextColor(dc, record->text == kDefaultColor ? GetSysColor(COLOR_WINDOWTEXT)
                                                 : static_cast<COLORREF>(record->text));
  if (record->background == kDefaultColor) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  }
  SetBkColor(dc, static_cast<COLORREF>(record->background));
  return static_cast<INT_PTR>(record->brush);
}

}  // namespace cog
