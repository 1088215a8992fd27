#pragma once
// The numbers around a figure: the frame's ticks along the picture's edges,
// with the steps and the printing of the axes overlay, and the colour bar's
// values from the bottom of the scale to its top.

#include <string>
#include <vector>

#include "core/plot/Navigation.h"

namespace vorla {

struct FigureTick {
  double at = 0;      // along its edge: 0 at the left (top) end, 1 at the right (bottom) end
  std::string label;
  friend bool operator==(const FigureTick&, const FigureTick&) = default;
};

struct FrameTicks {
  std::vector<FigureTick> x;  // along the top and bottom edges
  std::vector<FigureTick> y;  // along the left and right edges
  friend bool operator==(const FrameTicks&, const FrameTicks&) = default;
};

// The overlay's ticks, printed with "%.4g", the one at the origin included
// (the frame has no crossing axes to hide it).
FrameTicks LayOutFrameTicks(const ViewBounds& view);

struct ColorBarLabels {
  std::string bottom;  // Zmin, printed with "%.6g"
  std::string top;     // Zmax
  // Round steps between them; `at` runs from 0 at the bottom to 1 at the top.
  std::vector<FigureTick> steps;
  friend bool operator==(const ColorBarLabels&, const ColorBarLabels&) = default;
};

// Steps closer than `minGap` (a fraction of the bar) to an end are left out,
// so that their labels do not cover the end's. A scale with no extent, or
// one that is not finite, has no steps.
ColorBarLabels LayOutColorBar(float zmin, float zmax, double minGap);

}  // namespace vorla
