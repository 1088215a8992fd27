#include "core/gradient/DrawRoutines.h"

#include <cstring>
#include <utility>

#include "core/gradient/SystemColors.h"
#include "core/io/MulDiv.h"

namespace vorla {

InvalidGraphicError::InvalidGraphicError() : std::runtime_error("pf\xBF?bit") {}

ColorBytes SplitColor(TColor color) {
  const TColor value = (color & kSystemColorFlag) ? ColorTo24Bits(color) : color;
  return ColorBytes{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                    static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

TColGrad::TColGrad(TColor start, TColor end, std::uint16_t steps) : steps_(steps) {
  const ColorBytes from = SplitColor(start);
  const ColorBytes to = SplitColor(end);
  startRed_ = from.red;
  startGreen_ = from.green;
  startBlue_ = from.blue;
  deltaRed_ = to.red - from.red;
  deltaGreen_ = to.green - from.green;
  deltaBlue_ = to.blue - from.blue;
}

TColor TColGrad::ColorAt(int i) const {
  if (steps_ == 0) return startRed_ | (TColor{startGreen_} << 8) | (TColor{startBlue_} << 16);
  const auto channel = [&](std::uint8_t start, int delta) {
    return static_cast<TColor>((start + MulDiv(delta, i, steps_)) & 0xFF);
  };
  return channel(startRed_, deltaRed_) | (channel(startGreen_, deltaGreen_) << 8) |
         (channel(startBlue_, deltaBlue_) << 16);
}

int BytesPerPixel(const Bitmap& bitmap) {
  switch (bitmap.BitsPerPixel()) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: throw InvalidGraphicError();
  }
}

void MirrorBitmap(Bitmap& bitmap, bool horizontal, bool vertical) {
  const int b = BytesPerPixel(bitmap);
  if (bitmap.Empty() || (!horizontal && !vertical)) return;
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const int newWidth = horizontal ? 2 * w - 1 : w;
  const int newHeight = vertical ? 2 * h - 1 : h;

  // The last source column and row are the mirror axes and appear once.
  Bitmap result(newWidth, newHeight, bitmap.BitsPerPixel());
  result.palette = bitmap.palette;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* source = bitmap.Row(y);
    std::uint8_t* target = result.Row(y);
    std::memcpy(target, source, static_cast<std::size_t>(w) * b);
    if (horizontal) {
      for (int x = w - 2; x >= 0; --x)
        std::memcpy(target + static_cast<std::size_t>(2 * w - 2 - x) * b, source + static_cast<std::size_t>(x) * b, b);
    }
  }
  if (vertical) {
    for (int y = h - 2; y >= 0; --y)
      std::memcpy(result.Row(2 * h - 2 - y), result.Row(y), static_cast<std::size_t>(result.Stride()));
  }
  bitmap = std::move(result);
}

}  // namespace vorla
