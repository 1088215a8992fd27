#pragma once
// The two filter thresholds and their picking: a filter button pressed down
// arms its side, and the next click on the picture takes the value of f
// there as that side's threshold.

#include <array>

namespace vorla {

enum class FilterSide { kBelow, kAbove };

class FilterPicker {
 public:
  void SetArmed(FilterSide side, bool armed) { armed_[Index(side)] = armed; }
  bool Picking() const { return armed_[0] || armed_[1]; }
  // The lower side first when both are armed; that side is disarmed.
  void Take(float value) {
    const int side = armed_[0] ? 0 : 1;
    thresholds_[side] = value;
    armed_[side] = false;
  }

  float Threshold(FilterSide side) const { return thresholds_[Index(side)]; }
  void SetThreshold(FilterSide side, float value) { thresholds_[Index(side)] = value; }

 private:
  static int Index(FilterSide side) { return side == FilterSide::kBelow ? 0 : 1; }

  std::array<bool, 2> armed_{};
  std::array<float, 2> thresholds_{};
};

}  // namespace vorla
