#include "core/plot/AxisStep.h"

#include <algorithm>
#include <cmath>

namespace vorla {
namespace {

// 1, 2, 4, 5, 10, 20, 40, 50, 100, ...
double NextMultiplier(double m) {
  if (m == 4 || m == 40 || m == 400 || m == 4000 || m == 40000) return m / 4 * 5;
  return m * 2;
}

double RoundDownToLadder(double step) {
  constexpr double kLadder[] = {5000, 1000, 500, 200, 100, 50, 20, 10, 5, 2};
  for (double rung : kLadder)
    if (step > rung) return rung;
  return step;
}

}  // namespace

AxisTicks AxisStep(double a, double b) {
  AxisTicks ticks;
  ticks.last = std::max(a, b);
  const double low = std::min(a, b);
  const double span = ticks.last - low;
  ticks.first = low;
  // A zero span would look for a multiplier for ever.
  if (!(span > 0) || !std::isfinite(span)) return ticks;
  double m = 1;
  double step = std::trunc(span / 4 * m);
  while (step == 0) {
    m = NextMultiplier(m);
    if (!std::isfinite(m)) return ticks;
    step = std::trunc(span / 4 * m);
  }
  ticks.step = RoundDownToLadder(step / m);
  ticks.first = std::trunc(low / ticks.step) * ticks.step;
  return ticks;
}

std::vector<double> TickValues(double a, double b) {
  constexpr int kMaxTicks = 1000;
  std::vector<double> values;
  const AxisTicks range = AxisStep(a, b);
  if (!(range.step > 0)) return values;
  for (int i = 0; i < kMaxTicks; ++i) {
    const double t = range.first + i * range.step;
    if (!(t <= range.last)) break;
    values.push_back(t);
  }
  return values;
}

}  // namespace vorla
