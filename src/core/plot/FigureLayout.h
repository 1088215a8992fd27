#pragma once
// The numbers around a figure: the frame's ticks along the picture's edges,
// with the steps and the printing of the axes overlay, and the colour bar's
// values from the bottom of the scale to its top.

#include <string>
#include <vector>

namespace vorla {

struct FigureTick {
  double at = 0;      // along its edge: 0 at the `from` end, 1 at the `to` end
  std::string label;
  friend bool operator==(const FigureTick&, const FigureTick&) = default;
};

// The overlay's ticks (AxisStep) of the range from `from` to `to`, printed
// with "%.4g", the one at 0 included (a frame has no crossing axes to hide
// it), and only those inside the range. When there would be more than
// `maxTicks`, the step is taken 2, 5, 10, 20... times over, so that the
// labels that remain can be read.
std::vector<FigureTick> FigureTicks(double from, double to, int maxTicks);

struct ColorBarLabels {
  std::string bottom;  // Zmin, printed with "%.6g"
  std::string top;     // Zmax
  // Round steps between them (FigureTicks from Zmin to Zmax).
  std::vector<FigureTick> steps;
  friend bool operator==(const ColorBarLabels&, const ColorBarLabels&) = default;
};

// Steps closer than `minGap` (a fraction of the bar) to an end are left out,
// so that their labels do not cover the end's. A scale with no extent, or
// one that is not finite, has no steps.
ColorBarLabels LayOutColorBar(float zmin, float zmax, double minGap, int maxSteps);

}  // namespace vorla
