// View transforms of mouse navigation and the panel buttons, pan strips and picture shifting.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "core/plot/Navigation.h"

namespace vorla {
namespace {

ViewScale MakeView(int width, int height, ViewBounds bounds) {
  ViewScale view;
  view.Resize(width, height);
  SetView(view, bounds);
  return view;
}

void ExpectBounds(const ViewBounds& actual, const ViewBounds& expected) {
  EXPECT_DOUBLE_EQ(actual.left, expected.left);
  EXPECT_DOUBLE_EQ(actual.top, expected.top);
  EXPECT_DOUBLE_EQ(actual.right, expected.right);
  EXPECT_DOUBLE_EQ(actual.bottom, expected.bottom);
}

TEST(NavigationTest, ViewTransforms) {
  using Transform = std::function<ViewBounds(const ViewScale&)>;
  struct Row { const char* name; int width, height; ViewBounds before; Transform transform; ViewBounds after; };
  const Row rows[] = {
      {"zoom out doubles around the centre", 400, 200, {0, 0, 400, 200}, ZoomOutByTwo, {-200, -100, 600, 300}},
      {"zoom out truncates odd halves", 5, 3, {0, 0, 5, 3}, ZoomOutByTwo, {-2, -1, 7, 4}},
      {"zoom to band", 100, 100, {0, 0, 10, 10},
       [](const ViewScale& v) { return ZoomToBand(v, {10, 20, 50, 90}); }, {1, 2, 5, 9}},
      {"band dragged up and left mirrors", 100, 100, {0, 0, 100, 100},
       [](const ViewScale& v) { return ZoomToBand(v, {30, 20, 10, 5}); }, {30, 20, 10, 5}},
      {"rotate right on a wide area", 400, 200, {0, 0, 400, 200}, RotateRight, {300, 100, -100, 300}},
      {"rotate left undoes it", 400, 200, {300, 100, -100, 300}, RotateLeft, {0, 0, 400, 200}},
      {"normalise square area with equal extents", 300, 300, {-3, -3, 3, 3}, Normalize, {-3, -3, 3, 3}},
      {"normalise keeps the wider x extent", 400, 200, {-1, -1, 1, 1}, Normalize, {-1, -0.5, 1, 0.5}},
      {"normalise keeps the longer y extent", 400, 200, {-1, -4, 1, 4}, Normalize, {-8, -4, 8, 4}},
      {"normalise keeps an off-origin centre", 200, 200, {10, 20, 14, 22}, Normalize, {10, 19, 14, 23}},
      {"normalise unmirrors the adjusted axis", 100, 100, {-1, 1, 1, -1}, Normalize, {-1, -1, 1, 1}},
      {"normalise gives the kept axis's mirroring", 100, 100, {1, -1, -1, 1}, Normalize, {1, 1, -1, -1}},
      {"centre on origin keeps extents", 100, 100, {2, 3, 6, 11}, CenterOnOrigin, {-2, -4, 2, 4}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ExpectBounds(row.transform(MakeView(row.width, row.height, row.before)), row.after);
  }
}

TEST(NavigationTest, PanMovesTheViewAndListsTheUncoveredStrips) {
  struct Row { const char* name; int dx, dy; ViewBounds view; std::vector<PixelRect> strips; };
  // 100 x 50 pixels, one plane unit per pixel.
  const Row rows[] = {
      {"no move calculates nothing", 0, 0, {0, 0, 100, 50}, {}},
      {"right and down", 10, 5, {-10, -5, 90, 45}, {{0, 0, 100, 5}, {0, 5, 10, 50}}},
      {"left and up", -10, -5, {10, 5, 110, 55}, {{0, 45, 100, 50}, {90, 0, 100, 45}}},
      {"farther than the picture is clipped", -150, 80, {150, -80, 250, -30}, {{0, 0, 100, 50}}},
  };
  const ViewScale view = MakeView(100, 50, {0, 0, 100, 50});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const PanResult pan = PanBy(view, row.dx, row.dy);
    ExpectBounds(pan.view, row.view);
    EXPECT_EQ(pan.strips, row.strips);
  }
}

TEST(NavigationTest, PanStripsAndShiftedPictureCoverEveryPixelOnce) {
  const int width = 10;
  const int height = 8;
  const ViewScale view = MakeView(width, height, {0, 0, 1, 1});
  for (int dx = -12; dx <= 12; ++dx) {
    for (int dy = -10; dy <= 10; ++dy) {
      SCOPED_TRACE(testing::Message() << "dx " << dx << " dy " << dy);
      std::vector<int> cover(width * height, 0);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (x - dx >= 0 && x - dx < width && y - dy >= 0 && y - dy < height) ++cover[y * width + x];
      for (const PixelRect& strip : PanBy(view, dx, dy).strips) {
        ASSERT_LT(strip.top, strip.bottom);  // top == bottom would mean the whole picture
        ASSERT_LT(strip.left, strip.right);
        for (int y = strip.top; y < strip.bottom; ++y)
          for (int x = strip.left; x < strip.right; ++x) ++cover[y * width + x];
      }
      for (int i = 0; i < width * height; ++i) ASSERT_EQ(cover[i], 1) << "pixel " << i;
    }
  }
}

// A 3 x 2 picture numbered 0..5 row by row; pixels nothing moves into keep their index.
TEST(NavigationTest, ShiftPictureMovesIndicesAndLeavesTheRest) {
  struct Row { const char* name; int dx, dy; std::vector<int> pixels; };
  const Row rows[] = {
      {"right by one", 1, 0, {0, 0, 1, 3, 3, 4}},
      {"left and down", -1, 1, {0, 1, 2, 1, 2, 5}},
      {"beyond the picture leaves it", 5, 0, {0, 1, 2, 3, 4, 5}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bitmap picture(3, 2);
    for (int i = 0; i < 6; ++i) picture.Row(i / 3)[i % 3] = static_cast<std::uint8_t>(i);
    ShiftPicture(picture, row.dx, row.dy);
    std::vector<int> pixels;
    for (int i = 0; i < 6; ++i) pixels.push_back(picture.Row(i / 3)[i % 3]);
    EXPECT_EQ(pixels, row.pixels);
  }
}

TEST(NavigationTest, BandAspectFollowsTheArea) {
  struct Row { const char* name; int width, height; PixelRect band, shaped; };
  const Row rows[] = {
      {"wide area halves the height", 400, 200, {10, 10, 110, 13}, {10, 10, 110, 60}},
      {"leftwards band grows upwards", 400, 200, {110, 10, 10, 90}, {110, 10, 10, -40}},
      {"rounds to nearest", 3, 2, {0, 0, 1, 0}, {0, 0, 1, 1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(KeepBandAspect(row.band, row.width, row.height), row.shaped);
  }
}

TEST(NavigationTest, ReleaseClassification) {
  struct Row { const char* name; bool left; PixelRect band; ReleaseAction action; bool panning; };
  const Row rows[] = {
      {"right click without moving zooms out", false, {5, 5, 5, 5}, ReleaseAction::kZoomOut, false},
      {"right wobble of 2 pixels zooms out", false, {5, 5, 7, 3}, ReleaseAction::kZoomOut, false},
      {"right drag of 3 sideways pans", false, {5, 5, 8, 5}, ReleaseAction::kPan, true},
      {"right drag of 3 upwards pans", false, {5, 5, 5, 2}, ReleaseAction::kPan, true},
      {"left drag both ways zooms", true, {5, 5, 15, 15}, ReleaseAction::kZoomToBand, true},
      {"left drag up and left zooms", true, {15, 15, 5, 5}, ReleaseAction::kZoomToBand, true},
      {"left drag of 3 is a click", true, {5, 5, 8, 50}, ReleaseAction::kClick, true},
      {"flat left drag is a click", true, {5, 5, 50, 7}, ReleaseAction::kClick, true},
      {"left click", true, {5, 5, 5, 5}, ReleaseAction::kClick, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ClassifyRelease(row.left, row.band), row.action);
    EXPECT_EQ(IsPanningDrag(row.band), row.panning);
  }
}

}  // namespace
}  // namespace vorla
