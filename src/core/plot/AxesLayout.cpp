#include "core/plot/AxesLayout.h"

#include <algorithm>

#include "core/io/NumberText.h"
#include "core/plot/AxisStep.h"

namespace vorla {
namespace {

template <typename ToPixel>
std::vector<AxisTick> Ticks(double a, double b, int skippedPosition, ToPixel toPixel) {
  std::vector<AxisTick> ticks;
  for (const double t : TickValues(a, b)) {
    const int position = toPixel(t);
    if (position != skippedPosition) ticks.push_back({position, FormatG(t, 4)});
  }
  return ticks;
}

}  // namespace

AxesLayout LayOutAxes(const ViewScale& view) {
  AxesLayout axes;
  axes.originColumn = view.ScaleToPixelX(0);
  axes.originRow = view.ScaleToPixelY(0);
  axes.tickRow = std::clamp(axes.originRow, 0, view.Height());
  axes.tickColumn = std::clamp(axes.originColumn, 0, view.Width());
  axes.xLabelsBelow = axes.tickRow < kAxisLabelOffset;
  axes.yLabelsLeft = axes.tickColumn >= view.Width() - kAxisRightMargin;
  axes.xTicks = Ticks(view.ScaleRight(), view.ScaleLeft(), axes.originColumn,
                      [&view](double t) { return view.ScaleToPixelX(t); });
  axes.yTicks = Ticks(view.ScaleBottom(), view.ScaleTop(), axes.originRow,
                      [&view](double t) { return view.ScaleToPixelY(t); });
  return axes;
}

}  // namespace vorla
