#include "ui/win32/bold_font.h"

#include <cstring>

namespace cog {

BoldFont::BoldFont(const FontSpec& font) : points_(font.points), logfont_{} {
  logfont_.lfWeight = font.weight;
  std::strncpy(logfont_.lfFaceName, font.face, LF_FACESIZE - 1);
}

void BoldFont::ApplyTo(HWND control) {
  if (control == nullptr) return;
  if (!font_) {
    int pixels_per_inch = 0;
    {
      ScopedWindowDC dc(control);
      pixels_per_inch = GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
    logfont_.lfHeight = FontPixelHeight(points_, pixels_per_inch);
    font_.Reset(CreateFontIndirectA(&logfont_));
  }
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

}  // namespace cog
