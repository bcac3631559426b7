#pragma once
// The main dialog as data: its frame, its 21 controls and its fonts. Positions
// and sizes are dialog units of the dialog font; a shell converts them to pixels
// on the real dialog. Nothing here depends on a platform.

#include <cstdint>
#include <span>

namespace cog {

struct FontSpec {
  const char* face;
  int points;
  int weight;  // 400 normal, 700 bold; never italic, character set 0
};

// Which font a control ends up with once the dialog is built.
enum class FontRole { kDialog, kGear, kTimes };

struct ControlSpec {
  int id;
  const char* class_name;
  const char* text;
  std::uint32_t style;
  std::uint32_t ex_style;
  int x, y, width, height;  // from the top-left of the dialog's client area
  FontRole font;
};

struct DialogSpec {
  const char* title;
  int x, y;             // from the top-left of the screen: the dialog has no owner
  int width, height;    // client area
  std::uint32_t style;  // includes kVisibleStyle; the shell creates it hidden
  std::uint32_t ex_style;
  FontSpec font;
};

// The visible bit of a window style, taken out while the dialog is being built.
inline constexpr std::uint32_t kVisibleStyle = 0x10000000;

const DialogSpec& MainDialogSpec();

// In creation order, which is also the Z-order and the tab order.
std::span<const ControlSpec> MainDialogControls();

const FontSpec& GearFontSpec();   // the four gear boxes
const FontSpec& TimesFontSpec();  // the "X" between the two pairs

// The (negative) character height in pixels of `points` at `pixels_per_inch`:
// -(points * pixels_per_inch / 72), the quotient rounded to the nearest
// integer with ties to even. REQUIRES: both arguments >= 0.
int FontPixelHeight(int points, int pixels_per_inch);

}  // namespace cog
