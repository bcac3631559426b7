#pragma once
// Solid GDI brushes for the per-control colours.

#include <windows.h>

#include "ui/control_colors.h"

namespace cog {

class GdiBrushSource : public BrushSource {
 public:
  BrushHandle CreateBrush(std::int32_t color) override {
    return reinterpret_cast<BrushHandle>(CreateSolidBrush(static_cast<COLORREF>(color)));
  }
  void DeleteBrush(BrushHandle brush) override { DeleteObject(reinterpret_cast<HBRUSH>(brush)); }
};

}  // namespace cog
