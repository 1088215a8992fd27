#pragma once
// Where the coordinate axes, their ticks and labels fall on the picture
// area, so that the overlay only has to draw them.

#include <string>
#include <vector>

#include "core/plot/ViewScale.h"

namespace vorla {

struct AxisTick {
  int position = 0;   // column of an x tick, row of a y tick
  std::string label;  // the tick's value printed with "%.4g"
  friend bool operator==(const AxisTick&, const AxisTick&) = default;
};

struct AxesLayout {
  // Column of x = 0 and row of y = 0; either may lie outside the area, and
  // then its line is simply not seen.
  int originColumn = 0;
  int originRow = 0;
  // The axis rows and columns clamped into the area, so that the ticks of an
  // axis out of view run along the nearest edge.
  int tickRow = 0;
  int tickColumn = 0;
  // x labels go 20 pixels above the ticks, or below them near the top edge;
  // y labels go right of the ticks, or left of them near the right edge.
  bool xLabelsBelow = false;
  bool yLabelsLeft = false;
  std::vector<AxisTick> xTicks;
  std::vector<AxisTick> yTicks;
  friend bool operator==(const AxesLayout&, const AxesLayout&) = default;
};

inline constexpr int kAxisLabelOffset = 20;
inline constexpr int kAxisRightMargin = 50;

// Ticks at the axis origin are left out (the axes cross there). A view too
// narrow or too wide for the number precision gets no ticks rather than an
// endless list.
AxesLayout LayOutAxes(const ViewScale& view);

}  // namespace vorla
