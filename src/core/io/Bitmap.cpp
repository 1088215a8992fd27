#include "core/io/Bitmap.h"

#include <new>

#include "core/io/PictureLimits.h"

namespace vorla {

void Bitmap::Resize(int width, int height, int bitsPerPixel) {
  width = width < 0 ? 0 : width;
  height = height < 0 ? 0 : height;
  const std::int64_t stride = BitmapStride(width, bitsPerPixel);
  if (stride > kMaxRowBytes) throw RowTooLong(width, height);
  try {
    data_.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    throw NoMemoryFor(width, height);
  }
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  stride_ = static_cast<int>(stride);
}

}  // namespace vorla
