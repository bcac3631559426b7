#include "lathe/banjo_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cog {
namespace {

// Module 2, centre distance 100: A 30 + B 30 puts the middle shaft 60 from the
// stud, C 20 + D 60 puts it 80 from the lead screw, a 60-80-100 right triangle,
// so the shaft sits 36 down and 48 across.
TEST(BanjoLayout, MiddleShaftClosesTheTriangle) {
  Geometry g;
  g.module = Whole(2);
  g.centre_distance = Whole(100);
  g.stud_shaft = Whole(16);
  const BanjoLayout layout = LayOutTrain(g, {30, 30, 20, 60});
  ASSERT_EQ(layout.shafts.size(), 3u);
  const DrawnShaft& middle = layout.shafts[1];
  EXPECT_NEAR(middle.x, 48, 1e-9);
  EXPECT_NEAR(middle.y, 36, 1e-9);
  EXPECT_EQ(layout.shafts[0].radius, 8);  // the stud's diameter halved
  EXPECT_EQ(layout.shafts[2].radius, 1);  // no shaft given: drawn at the least size
  EXPECT_EQ(layout.shafts[2].y, 100);
  ASSERT_EQ(layout.wheels.size(), 4u);
  EXPECT_EQ(layout.wheels[2].name, "C");
  EXPECT_EQ(layout.wheels[2].shaft, "middle");
  EXPECT_EQ(layout.wheels[2].pitch_radius, 20);
  EXPECT_EQ(layout.wheels[2].tip_radius, 22);
}

// A simple train's idler meshes both: 30+20 and 20+50 at module 1 are 25 and
// 35, with centre distance 40: along = (625 - 1225 + 1600) / 80 = 12.5.
TEST(BanjoLayout, SimpleTrainIdler) {
  Geometry g;
  g.module = Whole(1);
  g.centre_distance = Whole(40);
  const BanjoLayout layout = LayOutTrain(g, {30, 20, 50});
  EXPECT_NEAR(layout.shafts[1].y, 12.5, 1e-9);
  EXPECT_NEAR(std::hypot(layout.shafts[1].x, layout.shafts[1].y), 25, 1e-9);
  ASSERT_EQ(layout.wheels.size(), 3u);
  EXPECT_EQ(layout.wheels[1].name, "I");
}

}  // namespace
}  // namespace cog
