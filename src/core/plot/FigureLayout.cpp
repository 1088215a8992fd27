#include "core/plot/FigureLayout.h"

#include <algorithm>
#include <cmath>

#include "core/io/NumberText.h"
#include "core/plot/AxisStep.h"

namespace vorla {
namespace {

// A millionth of the edge: the view's bounds are floats, and under a tenth
// of a pixel at any picture size.
constexpr double kEdge = 1e-6;

// 1, 2, 5, 10, 20, 50, ...
double NextStride(double stride) {
  const double decade = std::pow(10.0, std::floor(std::log10(stride)));
  const double digit = stride / decade;
  return digit < 1.5 ? 2 * decade : digit < 3.5 ? 5 * decade : 10 * decade;
}

}  // namespace

std::vector<FigureTick> FigureTicks(double from, double to, int maxTicks) {
  std::vector<FigureTick> ticks;
  const AxisTicks range = AxisStep(from, to);
  if (!(range.step > 0) || maxTicks < 1) return ticks;
  const double low = std::min(from, to);
  double step = range.step;
  double first = range.first;
  for (double stride = 1; (range.last - first) / step + 1 > maxTicks;) {
    stride = NextStride(stride);
    step = range.step * stride;
    first = std::trunc(low / step) * step;
  }
  // At the overlay's own step these are its values (TickValues); a step
  // lost in the precision of the values ends after maxTicks.
  for (int i = 0; i <= maxTicks; ++i) {
    const double t = first + i * step;
    if (!(t <= range.last)) break;
    // A tick on an edge may come out a rounding error beyond it.
    const double at = (t - from) / (to - from);
    if (at > -kEdge && at < 1 + kEdge) ticks.push_back({std::clamp(at, 0.0, 1.0), FormatG(t, 4)});
  }
  return ticks;
}

ColorBarLabels LayOutColorBar(float zmin, float zmax, double minGap, int maxSteps) {
  ColorBarLabels labels{FormatG(zmin, 6), FormatG(zmax, 6), {}};
  for (FigureTick& tick : FigureTicks(zmin, zmax, maxSteps))
    if (tick.at >= minGap && tick.at <= 1 - minGap) labels.steps.push_back(std::move(tick));
  return labels;
}

}  // namespace vorla
