#pragma once
// Pictures as the core produces them: rows of raw pixels, top row first, each
// row padded to a multiple of 4 bytes (as device-independent bitmaps and
// QImage expect), with a 256-entry palette for 8-bit pictures.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vorla {

// red + 256 * green + 65536 * blue; a value with the top bit set names a
// system colour in its low bits and must be resolved before use.
using TColor = std::uint32_t;
inline constexpr TColor kSystemColorFlag = 0x80000000u;

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb ToRgb(TColor color) {
  return Rgb{static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
             static_cast<std::uint8_t>(color >> 16)};
}
constexpr TColor ToColor(Rgb rgb) {
  return rgb.red | (TColor{rgb.green} << 8) | (TColor{rgb.blue} << 16);
}

using Palette = std::array<Rgb, 256>;

// A picture too large to be made or written; what() names the limit it
// passes (core text).
class PictureSizeError : public std::length_error {
 public:
  using std::length_error::length_error;
};

class Bitmap {
 public:
  Bitmap() = default;
  // bitsPerPixel is 8 (palette indices), 15, 16, 24 (blue, green, red) or 32;
  // other depths are representable so that routines can refuse them.
  Bitmap(int width, int height, int bitsPerPixel = 8) { Resize(width, height, bitsPerPixel); }

  // Raises PictureSizeError, leaving the bitmap as it was, for a row longer
  // than 32 bits can count or memory the system does not give.
  void Resize(int width, int height, int bitsPerPixel);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  int Stride() const { return stride_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  std::uint8_t* Row(int y) { return data_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return data_.data() + static_cast<std::size_t>(y) * stride_; }
  std::uint8_t* Data() { return data_.data(); }
  const std::uint8_t* Data() const { return data_.data(); }

  Palette palette{};

 private:
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 8;
  int stride_ = 0;
  std::vector<std::uint8_t> data_;
};

}  // namespace vorla
