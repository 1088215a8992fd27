#pragma once
// Tick spacing for the axes overlay and the frames of figures.

#include <vector>

namespace vorla {

struct AxisTicks {
  double first = 0;
  double step = 0;  // 0: no ticks (an empty or non-finite range)
  double last = 0;
  friend bool operator==(const AxisTicks&, const AxisTicks&) = default;
};

// Ticks from `first` while not above `last`, `step` apart, for the range
// between a and b in either order: about four per range, on round values.
AxisTicks AxisStep(double a, double b);

// The values of AxisStep's ticks in rising order. A range too narrow or too
// wide for the number precision (t + step == t) stops at a thousand ticks,
// more than any picture could show, rather than giving an endless list.
std::vector<double> TickValues(double a, double b);

}  // namespace vorla
