#pragma once

#include <cstdint>

namespace vorla {

// a * b / c with a 64-bit product, rounded to nearest with halves away from
// zero: the proportional arithmetic of gradient blends, kept aspects, fills
// and the progress bar. A zero divisor or a result beyond 32 bits gives -1.
constexpr int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  std::int64_t quotient = (magnitude + divisor / 2) / divisor;
  if ((product < 0) != (c < 0)) quotient = -quotient;
  if (quotient > INT32_MAX || quotient < INT32_MIN) return -1;
  return static_cast<int>(quotient);
}

}  // namespace vorla
