#include "core/plot/MosaicTile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/gradient/DrawRoutines.h"
#include "core/io/MulDiv.h"

namespace vorla {
namespace {

int Fold(int offset, int extent) {
  if (offset > extent) return offset - extent;
  if (offset < -extent) return offset + extent;
  return offset;
}

}  // namespace

PictureSize TileSizeFor(int size, int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0) return {size, size};
  return {size, std::max(1, MulDiv(size, pictureHeight, pictureWidth))};
}

Bitmap StretchPicture(const Bitmap& picture, int width, int height) {
  Bitmap stretched;
  if (picture.Empty() || width <= 0 || height <= 0) return stretched;
  const int bytes = BytesPerPixel(picture);
  stretched.Resize(width, height, picture.BitsPerPixel());
  stretched.palette = picture.palette;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* source =
        picture.Row(static_cast<int>((2LL * y + 1) * picture.Height() / (2LL * height)));
    std::uint8_t* target = stretched.Row(y);
    for (int x = 0; x < width; ++x) {
      const auto column = static_cast<int>((2LL * x + 1) * picture.Width() / (2LL * width));
      std::memcpy(target + x * bytes, source + column * bytes, static_cast<std::size_t>(bytes));
    }
  }
  return stretched;
}

Bitmap MakeMosaicTile(const Bitmap& picture, int size, Mirrors mirrors) {
  const PictureSize tile = TileSizeFor(size, picture.Width(), picture.Height());
  Bitmap stretched = StretchPicture(picture, tile.width, tile.height);
  if (!stretched.Empty() && mirrors.Any()) MirrorBitmap(stretched, mirrors.horizontal, mirrors.vertical);
  return stretched;
}

void PatternDrag::Press(int x, int y) {
  pressX_ = lastX_ = x;
  pressY_ = lastY_ = y;
  dragging_ = true;
}

void PatternDrag::Move(int x, int y, int tileWidth, int tileHeight) {
  if (!dragging_) return;
  offsetX_ = Fold(offsetX_ + x - lastX_, tileWidth);
  offsetY_ = Fold(offsetY_ + y - lastY_, tileHeight);
  lastX_ = x;
  lastY_ = y;
}

bool PatternDrag::Release(int x, int y) {
  dragging_ = false;
  return std::abs(x - pressX_) < 2 && std::abs(y - pressY_) < 2;
}

}  // namespace vorla
