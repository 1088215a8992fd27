#include "core/plot/FigureLayout.h"

#include <cmath>

#include "core/io/NumberText.h"
#include "core/plot/AxisStep.h"

namespace vorla {
namespace {

// Ticks of the range from `from` (at 0) to `to` (at 1), either way round.
std::vector<FigureTick> Along(double from, double to) {
  std::vector<FigureTick> ticks;
  for (const double t : TickValues(from, to)) ticks.push_back({(t - from) / (to - from), FormatG(t, 4)});
  return ticks;
}

}  // namespace

FrameTicks LayOutFrameTicks(const ViewBounds& view) {
  return {Along(view.left, view.right), Along(view.top, view.bottom)};
}

ColorBarLabels LayOutColorBar(float zmin, float zmax, double minGap) {
  ColorBarLabels labels{FormatG(zmin, 6), FormatG(zmax, 6), {}};
  for (FigureTick& tick : Along(zmin, zmax))
    if (tick.at >= minGap && tick.at <= 1 - minGap) labels.steps.push_back(std::move(tick));
  return labels;
}

}  // namespace vorla
