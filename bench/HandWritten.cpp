#include "HandWritten.h"

#include <cmath>
#include <numbers>

namespace vorla::bench {
namespace {

template <class F>
void Loop(int side, std::uint8_t* picture, F f) {
  const float pi = std::numbers::pi_v<float>;
  const float left = -3 * pi;
  const float step = 6 * pi / static_cast<float>(side);
  const float zmin = -pi;
  const float zmax = pi;
  const float levelStep = (zmax - zmin) / 249.0f;
  for (int row = 0; row < side; ++row) {
    const float y = left + static_cast<float>(row) * step;
    std::uint8_t* out = picture + static_cast<long>(row) * side;
    for (int column = 0; column < side; ++column) {
      const float x = left + static_cast<float>(column) * step;
      const float z = f(x, y);
      int index;
      if (!(z >= zmin)) {
        index = 1;
      } else {
        const long k = std::lrint((z - zmin) / levelStep);
        index = z > zmax ? 6 + static_cast<int>(k % 250) : static_cast<int>((k + 6) & 0xFF);
      }
      out[column] = static_cast<std::uint8_t>(index);
    }
  }
}

}  // namespace

void HandWrittenPicture(Formula formula, int side, std::uint8_t* picture) {
  switch (formula) {
    case Formula::kE1:
    case Formula::kStartUp:
      return Loop(side, picture, [](float x, float y) {
        return std::sin(x + y) + std::hypot(x, y) + std::atan2(y, x);
      });
    case Formula::kE2:
      return Loop(side, picture, [](float x, float y) {
        return x * x - y * y + x * y * 0.5f + 3 * x - 2 * y;
      });
    case Formula::kE3:
      return Loop(side, picture, [](float x, float y) {
        return std::exp(-(x * x + y * y) / 8) * std::cos(3 * x) * std::sin(2 * y) + std::log(1 + x * x + y * y);
      });
    case Formula::kE4:
      return Loop(side, picture, [](float x, float y) { return x > 0 ? std::sin(x * y) : std::cos(x - y); });
  }
}

}  // namespace vorla::bench
