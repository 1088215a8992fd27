#include "core/plot/AxesLayout.h"

#include <algorithm>

#include "core/io/NumberText.h"
#include "core/plot/AxisStep.h"

namespace vorla {
namespace {

// More ticks than any screen could show means the step is lost in the
// precision of the values (t + step == t); stopping there keeps the overlay
// from looping without end.
constexpr int kMaxTicks = 1000;

template <typename ToPixel>
std::vector<AxisTick> Ticks(double a, double b, int skippedPosition, ToPixel toPixel) {
  std::vector<AxisTick> ticks;
  const AxisTicks range = AxisStep(a, b);
  if (!(range.step > 0)) return ticks;
  for (int i = 0; i < kMaxTicks; ++i) {
    const double t = range.first + i * range.step;
    if (!(t <= range.last)) break;
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
