// Scale of the picture area: pixel <-> plane conversions and the resize rule.

#include <gtest/gtest.h>

#include "core/plot/ViewScale.h"

namespace vorla {
namespace {

TEST(ViewScaleTest, ConvertsPixelEdgesAndPlaneBothWays) {
  ViewScale scale;
  scale.Resize(454, 415);
  scale.SetScale(-1, 1, 1, -1);
  EXPECT_DOUBLE_EQ(scale.UnitsPerPixelX(), 2.0 / 454);
  EXPECT_DOUBLE_EQ(scale.PixelToScaleX(0), -1);
  EXPECT_DOUBLE_EQ(scale.PixelToScaleX(454), 1);
  EXPECT_EQ(scale.ScaleToPixelX(0), 227);
  // Plane y grows upwards on screen: row 0 is the top bound.
  EXPECT_LT(scale.UnitsPerPixelY(), 0);
  EXPECT_DOUBLE_EQ(scale.PixelToScaleY(0), 1);
  EXPECT_DOUBLE_EQ(scale.PixelToScaleY(415), -1);
  EXPECT_EQ(scale.ScaleToPixelY(-1), 415);
}

TEST(ViewScaleTest, ScaleToPixelRoundsHalvesToEven) {
  ViewScale scale;
  scale.Resize(10, 10);
  scale.SetScale(0, 0, 10, 10);
  struct Row { const char* name; double value; int pixel; };
  const Row rows[] = {{"half down to even", 2.5, 2}, {"half up to even", 3.5, 4},
                      {"below half", 2.49, 2},      {"negative half", -0.5, 0},
                      {"beyond the area", 25.2, 25}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(scale.ScaleToPixelX(r.value), r.pixel);
  }
}

TEST(ViewScaleTest, CentreMovesBothBoundsKeepingTheWidth) {
  ViewScale scale;
  scale.Resize(100, 50);
  scale.SetScale(0, 10, 4, 0);
  EXPECT_DOUBLE_EQ(scale.ScaleCenterX(), 2);
  EXPECT_DOUBLE_EQ(scale.ScaleCenterY(), 5);
  scale.SetScaleCenterX(10);
  scale.SetScaleCenterY(-1);
  EXPECT_DOUBLE_EQ(scale.ScaleLeft(), 8);
  EXPECT_DOUBLE_EQ(scale.ScaleRight(), 12);
  EXPECT_DOUBLE_EQ(scale.ScaleTop(), 4);
  EXPECT_DOUBLE_EQ(scale.ScaleBottom(), -6);
  EXPECT_DOUBLE_EQ(scale.UnitsPerPixelY(), -10.0 / 50);
  scale.SetScaleWidth(1);
  EXPECT_DOUBLE_EQ(scale.ScaleRight(), 9);
  EXPECT_DOUBLE_EQ(scale.UnitsPerPixelX(), 0.01);
}

TEST(ViewScaleTest, ResizeFollowsTheAspectRule) {
  struct Row { const char* name; bool keepAspect; int newWidth, newHeight; double left, top, right, bottom; };
  const Row rows[] = {
      {"keep_widen_by_10", true, 410, 200, -2.05, 1, 2.05, -1},
      {"keep_shrink_both", true, 380, 180, -1.9, 0.9, 1.9, -0.9},
      {"keep_odd_change_truncates", true, 405, 203, -2.02, 1.01, 2.02, -1.01},
      {"stretch_widen_by_10", false, 410, 200, -2, 1, 2, -1},
      {"keep_to_zero_leaves_bounds", true, 0, 0, -2, 1, 2, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ViewScale scale;
    scale.Resize(400, 200);
    scale.SetScale(-2, 1, 2, -1);  // 0.01 units per pixel both ways
    scale.SetKeepScaleAspect(r.keepAspect);
    scale.Resize(r.newWidth, r.newHeight);
    EXPECT_EQ(scale.Width(), r.newWidth);
    EXPECT_DOUBLE_EQ(scale.ScaleLeft(), r.left);
    EXPECT_DOUBLE_EQ(scale.ScaleTop(), r.top);
    EXPECT_DOUBLE_EQ(scale.ScaleRight(), r.right);
    EXPECT_DOUBLE_EQ(scale.ScaleBottom(), r.bottom);
    if (r.newWidth != 0) {
      EXPECT_DOUBLE_EQ(scale.UnitsPerPixelX(), (r.right - r.left) / r.newWidth);
    }
  }
}

TEST(ViewScaleTest, FirstSizingStretchesEvenWhenKeepingAspect) {
  ViewScale scale;
  scale.SetKeepScaleAspect(true);
  scale.SetScale(-3, 3, 3, -3);
  scale.Resize(300, 600);
  EXPECT_DOUBLE_EQ(scale.ScaleLeft(), -3);
  EXPECT_DOUBLE_EQ(scale.ScaleBottom(), -3);
  EXPECT_DOUBLE_EQ(scale.UnitsPerPixelX(), 0.02);
  EXPECT_DOUBLE_EQ(scale.UnitsPerPixelY(), -0.01);
}

}  // namespace
}  // namespace vorla
