#include "tests/e2e/screen_pixels.h"

#include "tests/e2e/text_format.h"
#include "tests/e2e/win_handles.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {

COLORREF BackgroundPixel(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  POINT point{3, (client.bottom - client.top) / 2};
  ClientToScreen(control, &point);
  WindowDc screen(nullptr);
  return GetPixel(screen.get(), point.x, point.y);
}

COLORREF WaitForBackground(HWND control, COLORREF expected, DWORD timeout_ms) {
  COLORREF seen = CLR_INVALID;
  PollUntil([&] { return (seen = BackgroundPixel(control)) == expected; }, timeout_ms);
  return seen;
}

std::string ColourText(COLORREF colour) {
  if (colour == CLR_INVALID) return "CLR_INVALID";
  return "RGB(" + Dec(GetRValue(colour)) + "," + Dec(GetGValue(colour)) + "," +
         Dec(GetBValue(colour)) + ")";
}

}  // namespace cog::e2e
