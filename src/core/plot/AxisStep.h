#pragma once
// Tick spacing for the axes overlay.

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

}  // namespace vorla
