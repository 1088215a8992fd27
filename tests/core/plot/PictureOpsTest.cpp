// Work on the calculated picture without evaluating: the animation's index
// shift and smoothing; and the axis tick spacing.

#include <gtest/gtest.h>

#include <vector>

#include "core/plot/AxisStep.h"
#include "core/plot/IndexedPicture.h"

namespace vorla {
namespace {

Bitmap PictureOf(int width, const std::vector<int>& indices) {
  Bitmap picture(width, static_cast<int>(indices.size()) / width);
  for (std::size_t i = 0; i < indices.size(); ++i)
    picture.Row(static_cast<int>(i) / width)[i % width] = static_cast<std::uint8_t>(indices[i]);
  return picture;
}

std::vector<int> IndicesOf(const Bitmap& picture) {
  std::vector<int> indices;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) indices.push_back(picture.Row(y)[x]);
  return indices;
}

const std::vector<int> kAllIndices = [] {
  std::vector<int> all(256);
  for (int i = 0; i < 256; ++i) all[i] = i;
  return all;
}();

TEST(ShiftIndicesTest, MovesGradientIndicesWithinTheirCycle) {
  struct Row { const char* name; int delta; std::vector<int> expected; int applied; };
  const Row rows[] = {
      {"zero", 0, {0, 1, 2, 3, 4, 6, 254, 255}, 0},
      {"one", 1, {0, 1, 2, 3, 5, 7, 255, 4}, 1},
      {"minus one", -1, {0, 1, 2, 3, 255, 5, 253, 254}, 251},
      {"full cycle", 252, {0, 1, 2, 3, 4, 6, 254, 255}, 0},
      {"speed 100", 100, {0, 1, 2, 3, 104, 106, 102, 103}, 100},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap picture = PictureOf(8, {0, 1, 2, 3, 4, 6, 254, 255});
    EXPECT_EQ(ShiftIndices(picture, r.delta), r.applied);
    EXPECT_EQ(IndicesOf(picture), r.expected);
  }
}

TEST(ShiftIndicesTest, AnimationReturnsToTheCalculatedPicture) {
  struct Row { const char* name; int speed; int ticks; };
  const Row rows[] = {
      {"252 ticks at speed 1", 1, 252}, {"a few ticks forward", 7, 13},
      {"backwards", -3, 100},           {"fastest backwards", -100, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap picture = PictureOf(16, kAllIndices);
    std::uint8_t offset = 128;
    for (int tick = 0; tick < r.ticks; ++tick)
      offset = AdvanceOffset(offset, ShiftIndices(picture, r.speed));
    if (r.ticks == 252) {
      EXPECT_EQ(IndicesOf(picture), kAllIndices);
    }
    // Stopping shifts by 128 - offset.
    ShiftIndices(picture, 128 - offset);
    EXPECT_EQ(IndicesOf(picture), kAllIndices);
  }
}

TEST(SmoothPictureTest, AveragesNeighboursFromTheBottomRightInPlace) {
  struct Row { const char* name; int width; std::vector<int> before, after; };
  const Row rows[] = {
      {"flat level stays", 3, {10, 10, 10, 10, 99, 10, 10, 10, 10}, {10, 10, 10, 10, 10, 10, 10, 10, 10}},
      // Right inner pixel: (6*6+8+40)/8... neighbours 6,6,6 / 6,46 / 6,6,6
      // sum 88 -> (88-48)/8+6 = 11; the left one then sees the new 11.
      {"earlier result feeds the next", 4, {6, 6, 6, 6, 6, 6, 6, 46, 6, 6, 6, 6},
       {6, 6, 6, 6, 6, 6, 11, 46, 6, 6, 6, 6}},
      {"sum under 48 wraps in 16 bits", 3, {0, 0, 0, 0, 50, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"border too thin to smooth", 2, {9, 200, 7, 30}, {9, 200, 7, 30}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap picture = PictureOf(r.width, r.before);
    SmoothPicture(picture);
    EXPECT_EQ(IndicesOf(picture), r.after);
  }
}

TEST(AxisStepTest, ChoosesRoundTickSpacing) {
  struct Row { const char* name; double a, b; AxisTicks expected; };
  const Row rows[] = {
      {"unit range", -1, 1, {-1, 0.5, 1}},
      {"either order", 1, -1, {-1, 0.5, 1}},
      {"start-up range", 9.42, -9.42, {-8, 2, 9.42}},
      {"ladder 200", 0, 1000, {0, 200, 1000}},
      {"ladder caps at 5000", -1e6, 1e6, {-1e6, 5000, 1e6}},
      {"small range", 0, 0.5, {0, 0.1, 0.5}},
      {"first truncates toward zero", -1.3, 0.7, {-1, 0.5, 0.7}},
      {"empty range has no ticks", 2, 2, {2, 0, 2}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const AxisTicks ticks = AxisStep(r.a, r.b);
    EXPECT_DOUBLE_EQ(ticks.first, r.expected.first);
    EXPECT_DOUBLE_EQ(ticks.step, r.expected.step);
    EXPECT_DOUBLE_EQ(ticks.last, r.expected.last);
  }
}

}  // namespace
}  // namespace vorla
