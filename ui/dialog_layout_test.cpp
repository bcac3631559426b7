#include "ui/dialog_layout.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

TEST(DialogLayoutTest, BoldFontHeightsRoundHalvesToEven) {
  const struct {
    int points, dpi, height;
  } cases[] = {
      {10, 96, -13},   // 13.33
      {14, 96, -19},   // 18.67
      {10, 120, -17},  // 16.67
      {14, 120, -23},  // 23.33
      {9, 108, -14},   // 13.5: to even
      {11, 108, -16},  // 16.5: to even
      {10, 144, -20}, {8, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontPixelHeight(c.points, c.dpi), c.height) << c.points << "pt at " << c.dpi;
  }
}

}  // namespace
}  // namespace cog
