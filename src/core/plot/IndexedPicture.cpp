#include "core/plot/IndexedPicture.h"

namespace vorla {
namespace {

constexpr int kCycle = 252;

}  // namespace

void RefreshPalette(Bitmap& picture, const Palette& palette) {
  if (!picture.Empty()) picture.palette = palette;
}

std::uint8_t AdvanceOffset(std::uint8_t offset, int shift) {
  int sum = offset + shift;
  if (sum > 255) sum -= kCycle;
  return static_cast<std::uint8_t>(sum);
}

int ShiftIndices(Bitmap& picture, int delta) {
  delta %= kCycle;
  if (delta == 0 || picture.BitsPerPixel() != 8) return 0;
  const int shift = delta > 0 ? delta : delta + kCycle;
  std::uint8_t table[256];
  for (int v = 0; v < 256; ++v) {
    int moved = v > 3 ? v + shift : v;
    if (moved > 255) moved -= kCycle;
    table[v] = static_cast<std::uint8_t>(moved);
  }
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) row[x] = table[row[x]];
  }
  return shift;
}

void SmoothPicture(Bitmap& picture) {
  if (picture.BitsPerPixel() != 8) return;
  for (int y = picture.Height() - 2; y >= 1; --y) {
    const std::uint8_t* above = picture.Row(y - 1);
    std::uint8_t* row = picture.Row(y);
    const std::uint8_t* below = picture.Row(y + 1);
    for (int x = picture.Width() - 2; x >= 1; --x) {
      const int sum = above[x - 1] + above[x] + above[x + 1] + row[x - 1] + row[x + 1] +
                      below[x - 1] + below[x] + below[x + 1];
      // The offset of the eight levels is taken off as a 16-bit unsigned
      // number, so sums under 48 wrap to large values.
      const std::uint16_t levels = static_cast<std::uint16_t>(sum - 48);
      row[x] = static_cast<std::uint8_t>(levels / 8 + 6);
    }
  }
}

}  // namespace vorla
