#pragma once
// The palette index of a value against the scale zmin..zmax in 249 steps,
// with the scale worked out once for all the pixels that share it. Inline:
// the picture calculation asks it for every pixel.

#include <bit>
#include <cmath>
#include <cstdint>

#include "core/plot/PictureCalculation.h"

namespace vorla {

class LevelScale {
 public:
  static constexpr int kFirstLevelIndex = 6;  // the palette entry of level 0
  static constexpr int kLevels = 250;

  // The width of one level, as a float like the values it divides.
  static float Step(float zmin, float zmax) {
    const float difference = static_cast<float>(static_cast<double>(zmax) - zmin);
    return static_cast<float>(static_cast<double>(difference) / 249.0);
  }

  LevelScale(float zmin, float zmax) : zmin_(zmin), zmax_(zmax), step_(Step(zmin, zmax)) {
    // A scale wider than a float holds overflows as the difference is stored.
    valid_ = std::isfinite(step_);
    narrow_ = std::fabs(step_) < 1e-30f;
  }

  bool Is(float zmin, float zmax) const {
    return std::bit_cast<std::uint32_t>(zmin) == std::bit_cast<std::uint32_t>(zmin_) &&
           std::bit_cast<std::uint32_t>(zmax) == std::bit_cast<std::uint32_t>(zmax_);
  }

  float Zmin() const { return zmin_; }
  float Zmax() const { return zmax_; }
  float StepWidth() const { return step_; }
  // The scale is too narrow for levels: values inside it are flat.
  bool Narrow() const { return narrow_; }
  // The scale's width fits a float.
  bool Valid() const { return valid_; }

  // False for a level beyond 32 bits or a scale wider than a float.
  bool Index(float z, const IndexSettings& settings, std::uint8_t& index) const {
    if (!valid_) return false;
    std::int32_t k = 0;
    if (!(z >= zmin_)) {
      if (!settings.wrapBelow || narrow_) return index = 1, true;
      if (!Level(z, k)) return false;
      index = Wrap(k);
    } else if (z > zmax_) {
      if (!settings.wrapAbove || narrow_) return index = 2, true;
      if (!Level(z, k)) return false;
      index = Wrap(k);
    } else {
      if (!settings.gradient || narrow_) return index = 3, true;
      if (!Level(z, k)) return false;
      index = static_cast<std::uint8_t>((k + kFirstLevelIndex) & 0xFF);
    }
    return true;
  }

 private:

  // "Bucle": values beyond the scale run round the 250 levels again. Below
  // zero the count runs down from 255 (255 + m, not 256 + m).
  static std::uint8_t Wrap(std::int32_t k) {
    if (k >= 0) return static_cast<std::uint8_t>(kFirstLevelIndex + k % kLevels);
    return static_cast<std::uint8_t>(255 + k % kLevels);
  }

  // Rounded to the nearest, ties to even: adding and taking away 1.5 * 2^52
  // leaves the integer nearest a smaller magnitude (what nearbyint gives,
  // without a library call); a larger one is integral already.
  bool Level(float z, std::int32_t& k) const {
    const double v = (static_cast<double>(z) - static_cast<double>(zmin_)) / static_cast<double>(step_);
    constexpr double kShift = 0x1.8p52;
    const double q = std::fabs(v) < 0x1p51 ? (v + kShift) - kShift : v;
    if (!(q >= -2147483648.0 && q <= 2147483647.0)) return false;
    k = static_cast<std::int32_t>(q);
    return true;
  }

  float zmin_;
  float zmax_;
  float step_;
  bool valid_;
  bool narrow_;
};

}  // namespace vorla
