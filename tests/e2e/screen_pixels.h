#pragma once
// Colours as they reach the screen. Another process's window can only be read
// through the screen's device context, and only once it has painted.

#include <windows.h>

#include <string>

namespace cog::e2e {

// The screen pixel a few pixels inside the left edge of `control`'s client area,
// at half its height: background, clear of a centred text.
COLORREF BackgroundPixel(HWND control);

// Polls BackgroundPixel until it is `expected` or `timeout_ms` have passed;
// returns the last colour read.
COLORREF WaitForBackground(HWND control, COLORREF expected, DWORD timeout_ms);

// "RGB(r,g,b)".
std::string ColourText(COLORREF colour);

}  // namespace cog::e2e
