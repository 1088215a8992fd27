// Axes overlay geometry: origin lines, tick positions and labels, edges for
// axes out of view; and the same numbers round a figure's frame and colour bar.

#include <gtest/gtest.h>

#include "core/plot/AxesLayout.h"
#include "core/plot/FigureLayout.h"
#include "core/plot/Navigation.h"

namespace vorla {
namespace {

ViewScale MakeView(const ViewBounds& bounds) {
  ViewScale view;
  view.Resize(400, 300);
  SetView(view, bounds);
  return view;
}

TEST(AxesLayoutTest, TicksSkipTheOriginAndCarryTheirValues) {
  // One unit is 100 pixels across and 100 rows down; y grows upwards.
  const AxesLayout axes = LayOutAxes(MakeView({-2, 1.5, 2, -1.5}));
  EXPECT_EQ(axes.originColumn, 200);
  EXPECT_EQ(axes.originRow, 150);
  const std::vector<AxisTick> xTicks{{0, "-2"}, {100, "-1"}, {300, "1"}, {400, "2"}};
  EXPECT_EQ(axes.xTicks, xTicks);
  const std::vector<AxisTick> yTicks{{300, "-1.5"}, {250, "-1"}, {200, "-0.5"},
                                     {100, "0.5"},  {50, "1"},    {0, "1.5"}};
  EXPECT_EQ(axes.yTicks, yTicks);
}

TEST(AxesLayoutTest, AxesOutOfViewRunAlongTheNearestEdge) {
  struct Row { const char* name; ViewBounds view; int originColumn, originRow, tickColumn, tickRow;
    bool xLabelsBelow, yLabelsLeft; };
  const Row rows[] = {
      {"both axes inside", {-2, 1.5, 2, -1.5}, 200, 150, 200, 150, false, false},
      {"y = 0 below the view", {-2, 5, 2, 2}, 200, 500, 200, 300, false, false},
      {"y = 0 above the view", {-2, -2, 2, -5}, 200, -200, 200, 0, true, false},
      {"x axis close to the top", {-2, -0.1, 2, -3.1}, 200, -10, 200, 0, true, false},
      {"x = 0 right of the view", {-5, 1.5, -1, -1.5}, 500, 150, 400, 150, false, true},
      {"y axis near the right edge", {-3.6, 1.5, 0.4, -1.5}, 360, 150, 360, 150, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const AxesLayout axes = LayOutAxes(MakeView(row.view));
    EXPECT_EQ(axes.originColumn, row.originColumn);
    EXPECT_EQ(axes.originRow, row.originRow);
    EXPECT_EQ(axes.tickColumn, row.tickColumn);
    EXPECT_EQ(axes.tickRow, row.tickRow);
    EXPECT_EQ(axes.xLabelsBelow, row.xLabelsBelow);
    EXPECT_EQ(axes.yLabelsLeft, row.yLabelsLeft);
    EXPECT_FALSE(axes.xTicks.empty());
    EXPECT_FALSE(axes.yTicks.empty());
  }
}

TEST(AxesLayoutTest, ViewsWithoutUsableTicksEnd) {
  struct Row { const char* name; ViewBounds view; };
  const Row rows[] = {
      {"zero width", {1, 1, 1, -1}},
      // Near 1e20 neighbouring doubles are 16384 apart, more than the step.
      {"step below the precision of the values", {1e20, 1, 1e20 + 65536, -1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const AxesLayout axes = LayOutAxes(MakeView(row.view));
    EXPECT_LE(axes.xTicks.size(), 20u);
  }
}

// The frame shows the overlay's labels, the origin's too, at the same
// places along the edges (a quarter of the width is 100 of 400 pixels);
// ticks that would crowd take a multiple of the step.
TEST(AxesLayoutTest, FigureTicksAreTheOverlayNumbersThinnedToFit) {
  const std::vector<FigureTick> x{{0, "-2"}, {0.25, "-1"}, {0.5, "0"}, {0.75, "1"}, {1, "2"}};
  EXPECT_EQ(FigureTicks(-2, 2, 40), x);
  const std::vector<FigureTick> y = FigureTicks(1.5, -1.5, 40);  // y = 1.5 at the top edge
  ASSERT_EQ(y.size(), 7u);
  EXPECT_EQ(y.front(), (FigureTick{1, "-1.5"}));
  EXPECT_EQ(y[3], (FigureTick{0.5, "0"}));

  struct Row { const char* name; double from, to; int most; std::vector<std::string> labels; };
  const Row rows[] = {
      {"three at most: every second step", -2, 2, 3, {"-2", "0", "2"}},
      {"the step's first value below the range is left out", 0.0011, 0.002, 40,
       {"0.0012", "0.0014", "0.0016", "0.0018", "0.002"}},
      // The overlay's ladder stops at 5000: a thousand ticks would cover a
      // fraction of this range; thinned, they cover it whole.
      {"a wide range", -3e6, 1e7, 8, {"-2.5e+06", "0", "2.5e+06", "5e+06", "7.5e+06", "1e+07"}},
      {"no extent", 1, 1, 40, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> labels;
    for (const FigureTick& tick : FigureTicks(row.from, row.to, row.most)) labels.push_back(tick.label);
    EXPECT_EQ(labels, row.labels);
  }
}

TEST(AxesLayoutTest, ColorBarEndsAndRoundSteps) {
  struct Row { const char* name; float zmin, zmax; double gap; const char* bottom; const char* top;
    std::vector<std::string> steps; };
  const Row rows[] = {
      {"start-up scale, steps near the ends left out", -3.14159265f, 3.14159265f, 0.05, "-3.14159", "3.14159",
       {"-2", "-1", "0", "1", "2"}},
      {"steps reaching the ends", -3.14159265f, 3.14159265f, 0.01, "-3.14159", "3.14159",
       {"-3", "-2", "-1", "0", "1", "2", "3"}},
      {"reversed scale", 10, 0, 0.05, "10", "0", {"2", "4", "6", "8"}},
      {"no extent", 1, 1, 0.05, "1", "1", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ColorBarLabels labels = LayOutColorBar(row.zmin, row.zmax, row.gap, 40);
    EXPECT_EQ(labels.bottom, row.bottom);
    EXPECT_EQ(labels.top, row.top);
    std::vector<std::string> steps;
    for (const FigureTick& tick : labels.steps) steps.push_back(tick.label);
    EXPECT_EQ(steps, row.steps);
  }
  // 0 lies halfway up the symmetric scale.
  EXPECT_DOUBLE_EQ(LayOutColorBar(-2, 2, 0.05, 40).steps.at(1).at, 0.5);
}

}  // namespace
}  // namespace vorla
